// How long the window takes to list a large folder: the folder is selected in the tree
// and the clock stops once the file list holds every picture and the event queue is
// empty (the preview and the effect preview included).
//   window_listing [FILES] [SAMPLES_FOLDER]
// FILES pictures (20,000 by default) are copies of the samples, round-robin, or empty
// files named after the nine types when no samples are given.
#include <QAbstractItemView>
#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "imaging/GraphicsLibrary.h"
#include "ui/FrmMain.h"
#include "ui/ShellTreeView.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> Samples(const char* folder)
{
    std::vector<fs::path> samples;
    if (folder != nullptr) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                samples.push_back(entry.path());
    }
    return samples;
}

void MakeFolder(const fs::path& folder, int files, const std::vector<fs::path>& samples)
{
    static const char* const kTypes[] = {"jpg", "png", "tif", "gif", "bmp", "webp", "heic", "avif", "jxl"};
    for (int i = 0; i < files; ++i) {
        char name[32];
        if (samples.empty()) {
            std::snprintf(name, sizeof name, "p%05d.%s", i, kTypes[i % 9]);
            std::FILE* file = std::fopen((folder / name).c_str(), "w");
            if (file != nullptr)
                std::fclose(file);
        } else {
            const fs::path& sample = samples[static_cast<std::size_t>(i) % samples.size()];
            std::snprintf(name, sizeof name, "p%05d", i);
            fs::copy_file(sample, folder / (name + sample.extension().string()));
        }
    }
}

int ListedRows(quillane::TfrmMain& window)
{
    int most = 0;
    for (QAbstractItemView* view : window.findChildren<QAbstractItemView*>())
        if (view->model() != nullptr && view->objectName() == QStringLiteral("ShellListView1"))
            most = std::max(most, view->model()->rowCount());
    return most;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quillane::TGraphicsSession graphics(argv[0]);
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 20000;
    QTemporaryDir scratch;
    const fs::path folder = fs::path(scratch.path().toStdString()) / "pictures";
    fs::create_directory(folder);
    MakeFolder(folder, files, Samples(argc > 2 ? argv[2] : nullptr));

    quillane::TfrmMain window(nullptr, fs::path(scratch.path().toStdString()) / "Quillane.ini");
    window.show();
    QApplication::processEvents();
    auto* tree = window.findChild<quillane::TShellTreeView*>(QStringLiteral("ShellTreeView1"));
    QElapsedTimer clock;
    clock.start();
    if (!tree->SelectPath(QString::fromStdString(folder.string()))) {
        std::fprintf(stderr, "the tree cannot show %s\n", folder.c_str());
        return 1;
    }
    const qint64 selected = clock.elapsed();
    while (ListedRows(window) < files && clock.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const qint64 listed = clock.elapsed();
    QApplication::processEvents();
    const qint64 settled = clock.elapsed();
    std::printf("%d files: selected in %lld ms, listed in %lld ms, events settled at %lld ms (%d rows)\n", files,
                selected, listed, settled, ListedRows(window));
    return ListedRows(window) >= files ? 0 : 1;
}
