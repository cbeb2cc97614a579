// Playback of every loaded file: which models it made, which sequences it can play and the
// one it plays, its clock, rate and whether it is running. A plain model file plays one
// sequence of all its frames at a rate the user sets; the legs and the torso of a player
// play the sequences of its animation.cfg on clocks of their own, at a common speed; its
// head stays on its first frame. The scene holds this state; playback writes the frames
// (and the blend toward the next one) into the models, which posing then draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "anim/AnimationConfig.h"

namespace tessary {

struct Scene;

// Still: the head, and anything else hung on a player, shown on its first frame.
enum class PartRole { Plain, Legs, Torso, Still };

inline constexpr double kDefaultPlainRate = 15.0;  // frames per second of a plain model

struct FilePlayback {
  std::vector<std::int32_t> records;  // the models the file added, as scene indices
  PartRole role = PartRole::Plain;
  std::int32_t player = -1;            // shared by the parts of one player; -1 for a plain file
  // Plain: one sequence, all the frames. Legs and torso: every sequence of the
  // animation.cfg, by AnimationNumber. Still parts: none.
  std::vector<AnimSequence> sequences;
  std::int32_t sequence = -1;          // the one that plays, an index into sequences
  double time = 0.0;                   // seconds into that sequence, at this file's rate
  // Plain: frames per second. Player parts: the speed at which their sequences play (1 is
  // the file's own rate).
  double rate = 1.0;
  bool playing = false;
};

struct AnimationState {
  std::vector<FilePlayback> files;
  std::int32_t playersMade = 0;  // the number the next player's parts share
};

// Plain playback for a file that added the models first .. first + count - 1, each with
// frameCount frames: one looping sequence of all of them at the default rate, not running.
void AddPlainPlayback(AnimationState& state, std::int32_t first, std::int32_t count, std::int32_t frameCount);
// The file that made the model at index, or -1.
int FileOfModel(const AnimationState& state, std::int32_t model);
// The files that play together with the given one: all parts of its player, or itself.
std::vector<int> GroupOf(const AnimationState& state, int file);
// The sequence a file plays, or none.
const AnimSequence* PlayingSequence(const FilePlayback& file);
// "LEGS_RUN", "All frames", or "" when the file plays nothing.
std::string SequenceName(const FilePlayback& file);
// Whether the file has more than one frame to show and a model playback may move.
bool HasMotion(const Scene& scene, const FilePlayback& file);

// How many seconds of sequence time one second of real time is worth: 1 for a plain file
// (its rate is in its frame times), the speed for a player's part.
double PlaybackSpeed(const FilePlayback& file);
// Moves every running file's clock on by `seconds` of real time.
void AdvancePlayback(AnimationState& state, double seconds);
// Writes the file's frames at its clock into its models (all but the locked ones).
void ShowFileFrames(Scene& scene, const FilePlayback& file);
// Writes the frames of every running file.
void ShowPlayingFrames(Scene& scene);
// Whether anything is running that moves.
bool AnyPlaying(const Scene& scene);

// Starts or stops a file. A file that starts again from a frame that lies in its sequence
// (one the user stepped to, say) goes on from that frame.
void SetPlaying(Scene& scene, FilePlayback& file, bool playing);
// Stops every file, or the files that play together with the model at index.
void PauseAll(Scene& scene);
void PauseGroupOfModel(Scene& scene, std::int32_t model);
// Sets a plain file's frames per second, or a part's speed, keeping the frame it shows.
void SetRate(FilePlayback& file, double rate);
// The next rate up or down the ladder of rates offered for the file's kind.
double NextRate(const FilePlayback& file, bool faster);

// The model at index is gone: files forget it and later indices move down; a file left
// with no models is dropped.
void ForgetModel(AnimationState& state, std::int32_t index);

}  // namespace tessary
