// The fixed key that scrambles flagged entries of data.pk: the pack builder
// and the program must agree on it, so it never changes.
#pragma once

constexpr char kPackKey[] = "Zonvel:petals-of-six-colours!";
static_assert(sizeof(kPackKey) - 1 == 29, "the pack key is 29 characters");
