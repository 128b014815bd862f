// The small control services: combo box items that keep the box's text.

#include "platform/qt/Controls.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

TEST(Controls, ComboItemsKeepTheText) {
    QComboBox box;
    box.setEditable(true);
    box.setEditText(QStringLiteral("#白色"));
    penrica::AddComboItems(box, {"#黑色", "#红色"});
    EXPECT_EQ(box.count(), 2);
    EXPECT_EQ(box.currentText(), QStringLiteral("#白色"));
}

} // namespace
