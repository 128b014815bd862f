#pragma once
// The search box, its button and the acupoint list: the search fills the list, and a click on
// the list shows the clicked row's acupoint through onShowAcupoint.

#include "markers/MarkerState.h"
#include "platform/qt/Services.h"

#include <QObject>

#include <functional>
#include <string>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QWidget;

namespace penrica {

struct ListControls {
    QLineEdit* searchBox; // 编辑框查找穴位
    QTreeWidget* list;    // 超级列表框1
    QLabel* messageLine;  // 标签右边
};

class AcupointList : public QObject {
    Q_OBJECT
public:
    AcupointList(MarkerState& markers, Services& services, ListControls controls);

    void Search();
    // A click on the list: the selected row's image and record, when there is a row.
    void ShowListedAcupoint();

    std::function<void(const std::string& image, const std::string& record)> onShowAcupoint;

protected:
    // The list's click comes when the button is released, after the click changed the selection.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MarkerState& markers_;
    Services& services_;
    ListControls c_;
    QWidget* viewport_; // the list's, where its clicks arrive
};

} // namespace penrica
