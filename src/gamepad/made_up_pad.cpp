#include "gamepad/made_up_pad.h"

SDL_Joystick* plugInMadeUpPad(const char* name, int (*rumble)(void* owner, Uint16 low, Uint16 high),
                              void* owner) {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    desc.userdata = owner;
    desc.Rumble = rumble;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) return nullptr;
    // Triggers rest at the axis minimum, as a real pad's do.
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    if (pad) {
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_JOYSTICK_AXIS_MIN);
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, SDL_JOYSTICK_AXIS_MIN);
    }
    return pad;
}

void pullOutMadeUpPad(SDL_Joystick* pad) {
    const SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id) {
            SDL_JoystickDetachVirtual(i);
            return;
        }
    }
}
