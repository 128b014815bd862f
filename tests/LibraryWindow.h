#pragma once
// The main window over a library that a test fills first: pictures with their size files and
// markers, then Open(). Menu entries of 文件 are triggered by their captions.

#include "AppHarness.h"
#include "app/MainWindow.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"

#include <QAction>
#include <QImage>
#include <QMenu>

#include <memory>
#include <string>

struct LibraryWindow : LibraryHarness {
    std::unique_ptr<penrica::MainWindow> main;

    // A white 300 × 200 picture with its marker folder and size file.
    void Image(const std::string& name) {
        using namespace penrica;
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.save(QString::fromStdString(PathToUtf8(ImageFile(services.folder, name))), "PNG");
        CreateFolder(MarkerFolder(services.folder, name));
        WriteSizeFile(services.folder, name, {300, 200});
    }
    // A marker with an empty introduction.
    void Marker(const std::string& image, const std::string& record) {
        penrica::WriteWholeFile(penrica::MarkerFilePath(services.folder, image, record), "");
    }
    void Open() {
        main = std::make_unique<penrica::MainWindow>(state, services);
        main->show();
    }
    void Trigger(const char* caption) { Entry(main->文件, caption)->trigger(); }
};
