#pragma once

#include <string>

namespace calorix::evaluation {

// The dates an evaluation window is captioned with, as shown.
struct CaptionParts {
  std::string from;  // empty: nothing loaded
  std::string to;    // empty: one day
  unsigned fileCount = 0;
  // The window follows a log as it is written.
  bool following = false;
  // Spelled out: EvaluationView's defaulted comparison needs it under clang.
  friend bool operator==(const CaptionParts&, const CaptionParts&) = default;
};

// The caption in the current language: "New", "Analysis from <from>." or
// "Analysis from <from> to <to>. (<n> files found)", and while following a
// log " (following the log)" after it (text 169); the word order of the pieces varies
// by language, so each brings its own blanks.
std::string ComposeCaption(const CaptionParts& parts);

// The short caption of a minimised window, whose title bar has room for a
// few words: the dates alone ("<from>" or "<from> – <to>"), or "New".
std::string ComposeIconCaption(const CaptionParts& parts);

}  // namespace calorix::evaluation
