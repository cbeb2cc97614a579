// Reading animation.cfg. The file is read as a stream of words, as the game reads it (so
// line breaks inside a sequence do not matter), but every word remembers its line so that
// a refusal can say where the file went wrong.
#include "anim/AnimationConfig.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <vector>

#include "app/FloatText.h"
#include "content/GamePath.h"
#include "content/ScriptText.h"

namespace tessary {

namespace {

constexpr std::array<const char*, kAnimationCount> kNames = {
    "BOTH_DEATH1",   "BOTH_DEAD1",      "BOTH_DEATH2",  "BOTH_DEAD2",     "BOTH_DEATH3",       "BOTH_DEAD3",
    "TORSO_GESTURE", "TORSO_ATTACK",    "TORSO_ATTACK2", "TORSO_DROP",    "TORSO_RAISE",       "TORSO_STAND",
    "TORSO_STAND2",  "LEGS_WALKCR",     "LEGS_WALK",    "LEGS_RUN",       "LEGS_BACK",         "LEGS_SWIM",
    "LEGS_JUMP",     "LEGS_LAND",       "LEGS_JUMPB",   "LEGS_LANDB",     "LEGS_IDLE",         "LEGS_IDLECR",
    "LEGS_TURN",     "TORSO_GETFLAG",   "TORSO_GUARDBASE", "TORSO_PATROL", "TORSO_FOLLOWME",   "TORSO_AFFIRMATIVE",
    "TORSO_NEGATIVE"};

struct Word {
  std::string_view text;
  int line = 1;
};

// Splits the text into words separated by blanks and comments, as in the game's scripts.
std::vector<Word> SplitWords(std::string_view text) {
  std::vector<Word> words;
  int line = 1;
  std::size_t i = 0;
  for (;;) {
    line += SkipBlanksAndComments(text, i);
    if (i >= text.size()) return words;
    const std::size_t start = i;
    while (i < text.size() && !IsScriptBlank(text[i]) && !StartsComment(text, i)) ++i;
    words.push_back({text.substr(start, i - start), line});
  }
}

// A word that starts a number: the sequence lines begin where the keywords end.
bool StartsNumber(std::string_view w) {
  const std::size_t i = !w.empty() && (w[0] == '-' || w[0] == '+') ? 1 : 0;
  return i < w.size() && (std::isdigit(static_cast<unsigned char>(w[i])) || w[i] == '.');
}

std::string_view WithoutPlus(std::string_view w) { return w.size() > 1 && w[0] == '+' ? w.substr(1) : w; }

std::optional<std::int32_t> WholeNumber(std::string_view w) {
  int value = 0;
  return ParseWholeNumber(WithoutPlus(w), value) ? std::optional<std::int32_t>(value) : std::nullopt;
}

std::optional<double> Number(std::string_view w) {
  double value = 0.0;
  return ParseFiniteNumber(WithoutPlus(w), value) ? std::optional<double>(value) : std::nullopt;
}

// Walks the words, building the refusal message when something is missing or wrong.
class Reader {
 public:
  Reader(std::vector<Word> words, std::string fileName) : words_(std::move(words)), fileName_(std::move(fileName)) {}

  bool AtEnd() const { return next_ >= words_.size(); }
  const Word& Peek() const { return words_[next_]; }
  const Word& Take() { return words_[next_++]; }

  // The next word as a number of either kind; on failure the message says what `missing` is.
  template <typename T>
  std::optional<T> Read(std::optional<T> (*convert)(std::string_view), const char* kind, const std::string& missing) {
    if (AtEnd()) {
      Refuse("The animation file ends before " + missing, LastLine());
      return std::nullopt;
    }
    const Word& w = Take();
    std::optional<T> value = convert(w.text);
    if (!value) Refuse("The animation file has \"" + std::string(w.text) + "\" where " + kind + " belongs", w.line);
    return value;
  }

  void Refuse(const std::string& what, int line) {
    if (error_.empty()) error_ = what + " (line " + std::to_string(line) + ").\n" + fileName_;
  }
  const std::string& Error() const { return error_; }

 private:
  int LastLine() const { return words_.empty() ? 1 : words_.back().line; }

  std::vector<Word> words_;
  std::size_t next_ = 0;
  std::string fileName_;
  std::string error_;
};

// The keyword lines before the first sequence. Words the game does not know are passed
// over, as the game passes over them.
bool ReadKeywords(Reader& r, AnimationConfig& config) {
  while (!r.AtEnd() && !StartsNumber(r.Peek().text)) {
    const std::string_view key = r.Take().text;
    if (EqualNoCase(key, "sex") || EqualNoCase(key, "footsteps")) {
      std::string& value = EqualNoCase(key, "sex") ? config.sex : config.footsteps;
      if (!r.AtEnd()) value = std::string(r.Take().text);
    } else if (EqualNoCase(key, "headoffset")) {
      for (float& v : config.headOffset) {
        const std::optional<double> n = r.Read<double>(Number, "a number", "the head offset is complete");
        if (!n) return false;
        v = static_cast<float>(*n);
      }
    } else if (EqualNoCase(key, "fixedlegs")) {
      config.fixedLegs = true;
    } else if (EqualNoCase(key, "fixedtorso")) {
      config.fixedTorso = true;
    }
  }
  return true;
}

bool ReadSequence(Reader& r, int number, AnimSequence& s) {
  const std::string name = kNames[static_cast<std::size_t>(number)];
  const auto first = r.Read<std::int32_t>(WholeNumber, "a whole number", name);
  const auto count = first ? r.Read<std::int32_t>(WholeNumber, "a whole number", name + " is complete") : std::nullopt;
  const auto looping = count ? r.Read<std::int32_t>(WholeNumber, "a whole number", name + " is complete") : std::nullopt;
  const auto fps = looping ? r.Read<double>(Number, "a number", name + " is complete") : std::nullopt;
  if (!fps) return false;
  s.first = *first;
  s.reversed = *count < 0;
  // The smallest count is made positive without overflowing.
  s.count = s.reversed ? (*count == INT32_MIN ? INT32_MAX : -*count) : *count;
  // More looping frames than the sequence has would wrap to frames before its first; fewer
  // than none means none.
  s.looping = std::clamp(*looping, 0, s.count);
  // The game keeps a frame's time in whole milliseconds, 1000 / fps cut down; a rate of 0
  // counts as 1. A negative rate, which would run time backwards, is taken as 1 too; a
  // rate over 1000 still leaves one millisecond per frame, and one so slow that a frame
  // would outlast a thousand seconds (or overflow) stops there.
  const double rate = *fps > 0.0 ? *fps : 1.0;
  s.frameSeconds = std::clamp(std::floor(1000.0 / rate), 1.0, 1.0e6) / 1000.0;
  return true;
}

}  // namespace

const char* AnimationName(int number) {
  return number >= 0 && number < kAnimationCount ? kNames[static_cast<std::size_t>(number)] : "";
}

std::optional<int> AnimationByName(std::string_view name) {
  for (int i = 0; i < kAnimationCount; ++i)
    if (name == kNames[static_cast<std::size_t>(i)]) return i;
  return std::nullopt;
}

bool LegsPlay(int number) { return (number >= BOTH_DEATH1 && number <= BOTH_DEAD3) || (number >= LEGS_WALKCR && number <= LEGS_TURN); }

bool TorsoPlays(int number) { return number >= 0 && number < kAnimationCount && !(number >= LEGS_WALKCR && number <= LEGS_TURN); }

AnimationConfigParse ParseAnimationConfig(std::string_view text, const std::string& fileName) {
  Reader r(SplitWords(text), fileName);
  AnimationConfig config;
  if (!ReadKeywords(r, config)) return {std::nullopt, r.Error()};
  std::int64_t legsShift = 0;
  for (int i = 0; i < kAnimationCount; ++i) {
    AnimSequence& s = config.sequences[static_cast<std::size_t>(i)];
    if (i >= kRequiredAnimations && r.AtEnd()) {
      s = config.sequences[TORSO_GESTURE];
      continue;
    }
    if (!ReadSequence(r, i, s)) return {std::nullopt, r.Error()};
    // The file numbers legs frames as if torso and legs shared one range; in the legs'
    // own file they follow the frames both share, so the torso-only frames are skipped.
    if (i == LEGS_WALKCR)
      legsShift = static_cast<std::int64_t>(s.first) - config.sequences[TORSO_GESTURE].first;
    if (i >= LEGS_WALKCR && i <= LEGS_TURN)
      s.first = static_cast<std::int32_t>(std::clamp<std::int64_t>(s.first - legsShift, INT32_MIN, INT32_MAX));
  }
  return {config, ""};
}

}  // namespace tessary
