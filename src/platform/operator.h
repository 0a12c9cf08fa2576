#pragma once
// How the core talks to the person at the counter: message boxes, one-line prompts and list
// choices. The Qt side answers with real dialogs; tests answer with scripted replies.
#include <optional>
#include <vector>

#include "text/utf16.h"

namespace kelvo::platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct PromptOptions {
  text::u16 proposal;            // pre-filled text
  int max_length = 0;            // 0: no limit
  bool hidden = false;           // passwords
  bool case_box = false;         // EDIT4BOX: adds "Case sensitive"
  bool first_name_box = false;   // EDIT2BOX: adds "First name (not required)" and the case box
};

struct PromptAnswer {
  text::u16 text;
  bool case_sensitive = false;
  text::u16 first_name;
};

class Operator {
 public:
  virtual ~Operator() = default;
  // A message box with the given caption (window title) and text.
  virtual Answer message(text::u16view caption, text::u16view body, Buttons buttons = Buttons::Ok) = 0;
  // The one-line prompt (EDITBOX and its variants); nullopt when cancelled.
  virtual std::optional<PromptAnswer> prompt(text::u16view question, const PromptOptions& options) = 0;
  // The "Please select:" list; the chosen row, or nullopt when cancelled.
  virtual std::optional<int> choose(text::u16view caption, const std::vector<text::u16>& rows,
                                    int preselected) = 0;
  // The warning sound of refused input; the caller has already checked "Sound effects".
  virtual void warn() = 0;
  // A line for the activity pane of the main window.
  virtual void activity(text::u16view line) = 0;
};

// Convenience for the common "Problem" box.
inline void problem(Operator& op, text::u16view body) { op.message(u"Problem", body); }

}  // namespace kelvo::platform
