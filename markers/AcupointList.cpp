#include "markers/AcupointList.h"

#include "markers/MarkerMessages.h"
#include "markers/core/AcupointSearch.h"
#include "markers/core/StandardAcupoints.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeWidget>

namespace penrica {

AcupointList::AcupointList(MarkerState& markers, Services& services, ListControls controls)
    : markers_(markers), services_(services), c_(controls), viewport_(c_.list->viewport()) {
    viewport_->installEventFilter(this);
}

void AcupointList::Search() {
    const std::string text = c_.searchBox->text().toStdString();
    if (text.empty()) {
        return;
    }
    c_.list->clear();
    const std::vector<SearchRow> rows =
        SearchAcupoints(services_.folder, text, [this](const std::string& name) {
            services_.prompts.MessageBox(kIllegalFileInMarkers + name);
        });
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const SearchRow& row : rows) {
        auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(row.name),
                                                     QString::fromStdString(row.image),
                                                     QString::fromStdString(row.record)});
        // A standard point tells its code, reading and meridian when the mouse rests on it.
        if (const NameStandard& standard = StandardOf(row.name); !standard.points.empty()) {
            const QString summary = QString::fromStdString(PointSummary(*standard.points.front()));
            for (int column = 0; column < 3; ++column) {
                item->setToolTip(column, summary);
            }
        }
        items.append(item);
    }
    c_.list->addTopLevelItems(items);
    c_.messageLine->setText(rows.empty() ? QStringLiteral("没有找到呀！您还没有添加此穴位")
                                         : QStringLiteral("找到了，请您点击穴位名字"));
}

void AcupointList::ShowListedAcupoint() {
    const QList<QTreeWidgetItem*> selected = c_.list->selectedItems();
    const std::string record =
        selected.isEmpty() ? std::string() : selected[0]->text(2).toStdString();
    const std::string image =
        selected.isEmpty() ? std::string() : selected[0]->text(1).toStdString();
    if (record.empty() && image.empty()) {
        return;
    }
    markers_.hoverEnabled = 0;
    if (onShowAcupoint) {
        onShowAcupoint(image, record);
    }
}

bool AcupointList::eventFilter(QObject* watched, QEvent* event) {
    // The list itself is not asked here: the viewport's last events come while the list is
    // being destroyed.
    if (watched != viewport_ || (event->type() != QEvent::MouseButtonPress &&
                                 event->type() != QEvent::MouseButtonRelease)) {
        return QObject::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress &&
        c_.list->itemAt(mouse->position().toPoint()) == nullptr) {
        // As in the system's list control, a press on the empty part leaves no row selected;
        // Qt's list would keep the last one, and the click would show it again.
        c_.list->clearSelection();
    }
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        ShowListedAcupoint();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace penrica
