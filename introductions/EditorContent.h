#pragma once
// Moves styled content between the editor and the multicolour text model: the writer's view of
// the editor, and a load that replaces the editor's content in one edit.

#include "introductions/core/MulticolourText.h"

namespace penrica {

class RichEdit;

// The editor's characters with their formats; a line break is "\r\n" in its own format. The end
// format is that of the last character, or the editor's current format when it is empty.
StyledText ReadEditorContent(const RichEdit& editor);

// Replaces the editor's content by `content`. The editor reports one content change. The load is
// one undo step of its own: typing after it never merges into it.
void LoadEditorContent(RichEdit& editor, const StyledText& content);

// GBK bytes that `content` takes in the editor (a line break counts 2).
std::size_t ContentByteLength(const StyledText& content);

} // namespace penrica
