#pragma once

#include <QObject>
#include <QPointer>

#include <optional>

class QWidget;

namespace penrica {

// Keeps an input method's open composition (pinyin letters shown under the caret, no character
// chosen yet) out of the program's texts.
// - Qt and the input methods commit an open composition as it stands whenever the focus leaves
//   a text box or its window: a click on 保存, a question box taking the focus. The guard drops
//   the composition instead, before the press of the mouse or the change of window moves the
//   focus, so every box holds only what the user committed.
// - Qt's boxes delete their selection as soon as a composition starts over it. The guard sets
//   the selection aside instead: the commit replaces it, and a composition that ends without a
//   commit gives it back. While letters compose, their box takes no key of its own.
// It watches every window of the application from the moment it is made until it is destroyed.
class CompositionGuard : public QObject {
public:
    explicit CompositionGuard(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Drops the open composition, if any: the input method forgets it and the box shows only
    // its committed text. Whatever the input method commits while forgetting is ignored.
    void Drop();
    struct Range {
        int start = 0;
        int length = 0;
    };
    bool OnInputMethod(QWidget* box, QInputMethodEvent& event);
    static std::optional<Range> SetSelectionAside(QWidget* box);
    static void Reselect(QWidget* box, Range range);

    QPointer<QWidget> composing_;   // the box showing an open composition
    std::optional<Range> setAside_; // the selection that composition started over
    bool dropping_ = false;
    bool delivering_ = false;
};

} // namespace penrica
