#include "platform/message_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr int kMargin = 16;
constexpr int kTextWidth = 480;  // wider texts are wrapped
constexpr int kMinWidth = 240;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 28;

// The first core font the display has; "fixed" is built into every X server.
XFontStruct* loadFont(Display* display) {
    for (const char* name :
         {"-*-helvetica-medium-r-normal--14-*-*-*-p-*-iso8859-1", "9x15", "fixed"}) {
        if (XFontStruct* font = XLoadQueryFont(display, name)) return font;
    }
    return nullptr;
}

int ignoreError(Display*, XErrorEvent*) { return 0; }

void setAtomProperty(Display* display, Window window, const char* property, const char* value) {
    Atom atom = XInternAtom(display, value, False);
    XChangeProperty(display, window, XInternAtom(display, property, False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&atom), 1);
}

// The lines the box shows: the text cut at its line feeds, and each line
// broken at spaces so that none is wider than `maxWidth` as `width` measures
// it. A word wider than that on its own keeps a line of its own.
std::vector<std::string> wrapMessageLines(const std::string& text, int maxWidth,
                                          const std::function<int(const std::string&)>& width) {
    std::vector<std::string> lines;
    std::string rest = text;
    while (!rest.empty() && rest.back() == '\n') rest.pop_back();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(rest.find('\n', start), rest.size());
        std::string line;
        std::size_t word = start;
        while (word < end) {
            std::size_t next = std::min(rest.find(' ', word), end);
            const std::string piece = rest.substr(word, next - word);
            const std::string longer = line.empty() ? piece : line + " " + piece;
            if (!line.empty() && width(longer) > maxWidth) {
                lines.push_back(line);
                line = piece;
            } else {
                line = longer;
            }
            word = next + 1;
        }
        lines.push_back(line);
        if (end >= rest.size()) break;
        start = end + 1;
    }
    return lines;
}

struct Box {
    Display* display;
    Window window;
    GC gc;
    XFontStruct* font;
    std::vector<std::string> lines;
    int width, height, lineHeight;
    int buttonX, buttonY;
    unsigned long face, shade;

    bool onButton(int x, int y) const {
        return x >= buttonX && x < buttonX + kButtonWidth && y >= buttonY &&
               y < buttonY + kButtonHeight;
    }

    void draw() const {
        XSetForeground(display, gc, BlackPixel(display, DefaultScreen(display)));
        int y = kMargin + font->ascent;
        for (const std::string& line : lines) {
            XDrawString(display, window, gc, kMargin, y, line.c_str(), int(line.size()));
            y += lineHeight;
        }
        XSetForeground(display, gc, shade);
        XFillRectangle(display, window, gc, buttonX, buttonY, kButtonWidth, kButtonHeight);
        XSetForeground(display, gc, BlackPixel(display, DefaultScreen(display)));
        XDrawRectangle(display, window, gc, buttonX, buttonY, kButtonWidth - 1, kButtonHeight - 1);
        const char label[] = "OK";
        const int labelWidth = XTextWidth(font, label, 2);
        XDrawString(display, window, gc, buttonX + (kButtonWidth - labelWidth) / 2,
                    buttonY + (kButtonHeight + font->ascent - font->descent) / 2, label, 2);
    }
};

unsigned long namedColour(Display* display, const char* name, unsigned long fallback) {
    XColor shown, exact;
    const Colormap map = DefaultColormap(display, DefaultScreen(display));
    return XAllocNamedColor(display, map, name, &shown, &exact) ? shown.pixel : fallback;
}

void layOut(Box& box, const std::string& text) {
    box.lines = wrapMessageLines(text, kTextWidth, [&box](const std::string& line) {
        return XTextWidth(box.font, line.c_str(), int(line.size()));
    });
    int widest = 0;
    for (const std::string& line : box.lines)
        widest = std::max(widest, XTextWidth(box.font, line.c_str(), int(line.size())));
    box.lineHeight = box.font->ascent + box.font->descent + 2;
    box.width = std::max(kMinWidth, widest + 2 * kMargin);
    box.buttonX = (box.width - kButtonWidth) / 2;
    box.buttonY = kMargin + int(box.lines.size()) * box.lineHeight + kMargin / 2;
    box.height = box.buttonY + kButtonHeight + kMargin;
}

void createWindow(Box& box, const char* title) {
    Display* display = box.display;
    const int screen = DefaultScreen(display);
    const int x = std::max(0, (DisplayWidth(display, screen) - box.width) / 2);
    const int y = std::max(0, (DisplayHeight(display, screen) - box.height) / 2);
    box.window = XCreateSimpleWindow(display, RootWindow(display, screen), x, y, box.width,
                                     box.height, 1, BlackPixel(display, screen), box.face);
    XStoreName(display, box.window, title);
    XChangeProperty(display, box.window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title), int(std::strlen(title)));
    char name[] = "brakkon";
    char className[] = "Brakkon";
    XClassHint classHint{name, className};
    XSetClassHint(display, box.window, &classHint);
    // A dialog of fixed size in the middle of the screen, kept above the
    // full-screen game window.
    XSizeHints size{};
    size.flags = PPosition | PSize | PMinSize | PMaxSize;
    size.x = x;
    size.y = y;
    size.width = size.min_width = size.max_width = box.width;
    size.height = size.min_height = size.max_height = box.height;
    XSetWMNormalHints(display, box.window, &size);
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(display, box.window, &hints);
    setAtomProperty(display, box.window, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DIALOG");
    setAtomProperty(display, box.window, "_NET_WM_STATE", "_NET_WM_STATE_ABOVE");
    Atom closeRequest = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, box.window, &closeRequest, 1);
    XSelectInput(display, box.window,
                 ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask);
    box.gc = XCreateGC(display, box.window, 0, nullptr);
    XSetFont(display, box.gc, box.font->fid);
    XMapRaised(display, box.window);
}

// Runs until the box is dismissed.
void waitForDismissal(Box& box) {
    Display* display = box.display;
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom closeRequest = XInternAtom(display, "WM_DELETE_WINDOW", False);
    bool focused = false, pressed = false;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
            case Expose:
                if (event.xexpose.count == 0) box.draw();
                if (!focused) {
                    // Take the keyboard, so Return and Esc reach the box also
                    // without a window manager. A window manager that has not
                    // shown the window yet may refuse: that is harmless.
                    focused = true;
                    XErrorHandler previous = XSetErrorHandler(ignoreError);
                    XSetInputFocus(display, box.window, RevertToParent, CurrentTime);
                    XSync(display, False);
                    XSetErrorHandler(previous);
                }
                break;
            case KeyPress: {
                const KeySym key = XLookupKeysym(&event.xkey, 0);
                if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape) return;
                break;
            }
            case ButtonPress:
                pressed = event.xbutton.button == Button1 &&
                          box.onButton(event.xbutton.x, event.xbutton.y);
                break;
            case ButtonRelease:
                if (pressed && event.xbutton.button == Button1 &&
                    box.onButton(event.xbutton.x, event.xbutton.y))
                    return;
                pressed = false;
                break;
            case ClientMessage:
                if (event.xclient.message_type == protocols &&
                    Atom(event.xclient.data.l[0]) == closeRequest)
                    return;
                break;
        }
    }
}

}  // namespace

bool showMessageWindow(const char* title, const std::string& text) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    Box box{};
    box.display = display;
    box.font = loadFont(display);
    if (!box.font) {
        XCloseDisplay(display);
        return false;
    }
    const unsigned long white = WhitePixel(display, DefaultScreen(display));
    box.face = namedColour(display, "gray92", white);
    box.shade = namedColour(display, "gray80", white);
    layOut(box, text);
    createWindow(box, title);
    waitForDismissal(box);
    XFreeGC(display, box.gc);
    XFreeFont(display, box.font);
    XDestroyWindow(display, box.window);
    XCloseDisplay(display);
    return true;
}
