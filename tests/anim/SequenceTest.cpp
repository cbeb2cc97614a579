// animation.cfg and the playback clock: the keyword lines, the sequences in their fixed
// order with the legs' frames moved past the torso's, the team sequences, refusals that name
// line and file; then the frame and blend that a time into a sequence shows.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "anim/AnimationConfig.h"
#include "anim/PlaybackClock.h"

namespace tessary {
namespace {

// The 25 required lines: sequence i starts at 10 i with 5 frames at 20 a second, except
// where a line is given instead.
std::string RequiredLines(const std::map<int, std::string>& special = {}) {
  std::string text;
  for (int i = 0; i < kRequiredAnimations; ++i)
    text += special.count(i) ? special.at(i) + "\n" : std::to_string(10 * i) + " 5 0 20\n";
  return text;
}

TEST(AnimationConfig, ReadsKeywordsSequencesTheLegsShiftAndTheTeamSequences) {
  const std::string header =
      "// a player\r\nsex f\nfootsteps   boot\nheadoffset 1.5 -2 0.25 // after numbers\nfixedtorso\n"
      "/* over\n two lines */ somethingnew\n";
  const std::string lines = RequiredLines({{BOTH_DEAD1, "10 -3 0 20"},    // backwards
                                           {TORSO_ATTACK, "70 5 0 0"},    // a rate of 0 is 1 a second
                                           {TORSO_STAND, "110 5 9 20"},   // more looping frames than frames
                                           {LEGS_RUN, "150 6 6 15"},      // 1000 / 15 ms, cut to 66
                                           {LEGS_IDLE, "220\n5 5\n7.5"}});  // a line break mid-sequence
  for (const std::string& team : {std::string(), std::string("300 4 4 10\n310 2 0 25\n")}) {
    const AnimationConfigParse parse = ParseAnimationConfig(header + lines + team, "models/players/x/animation.cfg");
    ASSERT_TRUE(parse.config) << parse.error;
    const AnimationConfig& c = *parse.config;
    EXPECT_EQ(std::tie(c.sex, c.footsteps, c.fixedLegs, c.fixedTorso), std::make_tuple("f", "boot", false, true));
    EXPECT_EQ(c.headOffset, (Vec3f{1.5f, -2.0f, 0.25f}));
    using S = std::tuple<int, int, int, double, bool>;  // first, count, looping, frame time, reversed
    const auto seq = [&](int n) {
      const AnimSequence& s = c.sequences[static_cast<std::size_t>(n)];
      return S{s.first, s.count, s.looping, s.frameSeconds, s.reversed};
    };
    EXPECT_EQ(seq(BOTH_DEATH1), S(0, 5, 0, 0.05, false));
    EXPECT_EQ(seq(BOTH_DEAD1), S(10, 3, 0, 0.05, true));
    EXPECT_EQ(seq(TORSO_ATTACK), S(70, 5, 0, 1.0, false));
    EXPECT_EQ(seq(TORSO_STAND), S(110, 5, 5, 0.05, false));
    // LEGS_WALKCR at 130 and TORSO_GESTURE at 60: the legs' frames come 70 earlier.
    EXPECT_EQ(seq(LEGS_WALKCR), S(60, 5, 0, 0.05, false));
    EXPECT_EQ(seq(LEGS_RUN), S(80, 6, 6, 0.066, false));
    EXPECT_EQ(seq(LEGS_IDLE), S(150, 5, 5, 0.133, false));
    EXPECT_EQ(seq(LEGS_TURN), S(170, 5, 0, 0.05, false));
    if (team.empty()) {
      for (int n = TORSO_GETFLAG; n <= TORSO_NEGATIVE; ++n) EXPECT_EQ(seq(n), seq(TORSO_GESTURE)) << n;
    } else {
      EXPECT_EQ(seq(TORSO_GETFLAG), S(300, 4, 4, 0.1, false));
      EXPECT_EQ(seq(TORSO_GUARDBASE), S(310, 2, 0, 0.04, false));
      EXPECT_EQ(seq(TORSO_NEGATIVE), seq(TORSO_GESTURE));
    }
  }
}

TEST(AnimationConfig, RefusesAShortFileOrAWordWhereANumberBelongsNamingLineAndFile) {
  const std::string lines24 = RequiredLines().substr(0, RequiredLines().rfind("240"));
  const std::pair<std::string, std::string> cases[] = {
      {"", "ends before BOTH_DEATH1 (line 1)"},
      {lines24, "ends before LEGS_TURN (line 24)"},
      {lines24 + "240 5 0", "ends before LEGS_TURN is complete (line 25)"},
      {RequiredLines({{4, "40 5 x 20"}}), "has \"x\" where a whole number belongs (line 5)"},
      {RequiredLines({{2, "20 1.5 0 20"}}), "has \"1.5\" where a whole number belongs (line 3)"},
      {RequiredLines({{3, "30 5 0 fast"}}), "has \"fast\" where a number belongs (line 4)"},
      {"headoffset 1 two 3\n" + RequiredLines(), "has \"two\" where a number belongs (line 1)"},
  };
  for (const auto& [text, what] : cases) {
    const AnimationConfigParse parse = ParseAnimationConfig(text, "p/animation.cfg");
    EXPECT_FALSE(parse.config) << what;
    EXPECT_EQ(parse.error, "The animation file " + what + ".\np/animation.cfg");
  }
}

TEST(PlaybackClock, FrameAndBlendFollowTheGamesRulesForEveryKindOfSequence) {
  // Frames an eighth of a second apart, so every time below is exact.
  const auto seq = [](int first, int count, int looping, bool reversed = false) {
    return AnimSequence{first, count, looping, 0.125, reversed};
  };
  const struct {
    AnimSequence s;
    double frames;  // time, in frames
    FramePair shown;
  } cases[] = {
      {seq(10, 4, 4), 0.0, {10, 11, 0.0}},
      {seq(10, 4, 4), -3.0, {10, 11, 0.0}},    // before the start
      {seq(10, 4, 4), 2.5, {12, 13, 0.5}},
      {seq(10, 4, 4), 3.25, {13, 10, 0.25}},   // the last frame blends into the first again
      {seq(10, 4, 4), 8.5, {10, 11, 0.5}},
      {seq(0, 5, 2), 4.5, {4, 3, 0.5}},        // past the end, round the last two frames
      {seq(0, 5, 2), 5.5, {3, 4, 0.5}},
      {seq(0, 3, 0), 1.5, {1, 2, 0.5}},
      {seq(0, 3, 0), 2.5, {2, 2, 0.0}},        // not looping: the last frame holds
      {seq(20, 3, 0, true), 0.0, {22, 21, 0.0}},  // backwards
      {seq(20, 3, 0, true), 1.5, {21, 20, 0.5}},
      {seq(20, 3, 3, true), 2.5, {20, 22, 0.5}},
      {seq(7, 0, 0), 3.5, {7, 7, 0.0}},        // no frames at all
  };
  for (const auto& c : cases) {
    const FramePair p = FrameAtTime(c.s, c.frames * 0.125);
    EXPECT_EQ(std::tie(p.frame, p.next, p.blend), std::tie(c.shown.frame, c.shown.next, c.shown.blend))
        << "first " << c.s.first << " count " << c.s.count << " at " << c.frames << " frames";
  }
  // 15 a second is 66 ms a frame, as the game keeps it: 66.5 ms in, the second frame shows,
  // where a true fifteenth of a second would not yet have passed.
  const auto parse = ParseAnimationConfig(RequiredLines({{0, "0 10 0 15"}}), "a.cfg");
  EXPECT_EQ(FrameAtTime(parse.config->sequences[BOTH_DEATH1], 0.0665).frame, 1);
}

}  // namespace
}  // namespace tessary
