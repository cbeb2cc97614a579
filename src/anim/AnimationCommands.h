// The commands of the Animation menu. Each acts on the current model's file and the files
// that play together with it (all parts of a player), and ends with a redraw and a panel
// refresh; without a current model that has playback they do nothing.
#pragma once

#include "anim/Playback.h"
#include "app/Workspace.h"

namespace tessary {

// Starts the files when none of them runs, else stops them all.
void TogglePlayback(Workspace& ws);
// One step up or down the ladder of rates.
void ChangePlaybackRate(Workspace& ws, bool faster);
// Every clock back to the start of its sequence.
void RestartPlayback(Workspace& ws);
// part Legs or Torso: that part's sequence number (see ChoosePlayerSequence). Plain: the
// file's one sequence, from its start.
void ChooseSequence(Workspace& ws, PartRole part, int number);
// Starts every file of the scene (the command line's --play).
void PlayEverything(Scene& scene);

// What the Animation menu shows for the current model.
struct CurrentPlayback {
  bool present = false;   // the current model has a file with a sequence
  bool canPlay = false;   // ... with frames to move through
  bool playing = false;
  bool player = false;    // the files are a player's (legs and torso sequences)
  int legs = -1, torso = -1;  // their sequence numbers
};
CurrentPlayback DescribeCurrentPlayback(const Scene& scene);

}  // namespace tessary
