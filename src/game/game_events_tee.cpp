#include "game/game_events_tee.h"

void GameEventsTee::shellFired(const Vec3& muzzle) {
    first_.shellFired(muzzle);
    second_.shellFired(muzzle);
}
void GameEventsTee::missileLaunched(int missile, const Vec3& at) {
    first_.missileLaunched(missile, at);
    second_.missileLaunched(missile, at);
}
void GameEventsTee::enemyShellFired(const Vec3& at) {
    first_.enemyShellFired(at);
    second_.enemyShellFired(at);
}
void GameEventsTee::projectileRemoved(int slot, int kind, const Vec3& at) {
    first_.projectileRemoved(slot, kind, at);
    second_.projectileRemoved(slot, kind, at);
}
void GameEventsTee::explosionStarted(int type, const Vec3& at) {
    first_.explosionStarted(type, at);
    second_.explosionStarted(type, at);
}
void GameEventsTee::enemyDamaged(int hitKind, const Vec3& at) {
    first_.enemyDamaged(hitKind, at);
    second_.enemyDamaged(hitKind, at);
}
void GameEventsTee::playerHit(const Vec3& at) {
    first_.playerHit(at);
    second_.playerHit(at);
}
void GameEventsTee::startClicked() {
    first_.startClicked();
    second_.startClicked();
}
void GameEventsTee::tickEnded(const TickView& view) {
    first_.tickEnded(view);
    second_.tickEnded(view);
}
void GameEventsTee::muteToggled() {
    first_.muteToggled();
    second_.muteToggled();
}
void GameEventsTee::pauseChanged(bool paused) {
    first_.pauseChanged(paused);
    second_.pauseChanged(paused);
}
void GameEventsTee::programEnding() {
    first_.programEnding();
    second_.programEnding();
}
