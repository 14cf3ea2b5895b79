#pragma once
// Time stamps in milliseconds from the game's clock.
bool elapsedOver(float limit, float stamp);
bool elapsedOver(double limit, double stamp);
void stampTime(float& stamp);
void stampTime(double& stamp);
// Snaps value to goal when within 0.005; true if it snapped.
bool easeToward(float& value, float goal);
