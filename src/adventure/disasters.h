// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The disasters as the play frame calls them.
namespace plumix {

class TMain;

// Every frame after the start phase while no disaster is pending.
void TryStartDisaster(TMain& game);
// The warning of a disaster whose chance has come (the title's demo calls it
// to show one without waiting for the chance).
void AnnounceDisaster(TMain& game);
// Each play tick while a disaster is pending.
void DisasterTick(TMain& game);
// Every frame while a disaster is pending.
void DisasterEndCheck(TMain& game);
// Every frame: draws the board at its place and performs the strikes.
void DisasterFrame(TMain& game);
// Silences the warning and the looped disaster sounds.
void StopDisasterSounds(TMain& game);

}  // namespace plumix
