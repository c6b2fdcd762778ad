#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "jobs/Language.h"

class QTemporaryDir;
class QThread;
class QTimer;

namespace quillane {

class TBatchJob;
class TPreviewHost;

// What the current page would write for one picture.
struct TEffectResult {
    QImage Picture;    // null when nothing would be written
    QSize Size;        // the written picture's pixel size
    qint64 Bytes = 0;  // its encoded file size
    QString Reason;    // why there is no picture: a check's text or the file's failure
};

// What to compute: a page's job, built with its output folder replaced, and a picture.
// Without a job or a picture, `Reason` says why there is nothing to show.
struct TEffectRequest {
    std::shared_ptr<TBatchJob> Job;
    std::filesystem::path Picture;
    QString Reason;
    TLanguage Language = TLanguage::lgChinese;  // of the reason the computation may give
};

// The job's checks and its run over that one picture, as a start button would do them,
// with the written file kept in memory: nothing is written anywhere. Blocks; any thread.
TEffectResult ComputeEffect(TBatchJob& job, const std::filesystem::path& picture,
                            TLanguage language = TLanguage::lgChinese);

// The effect preview's engine: a change schedules a new result, which is computed on a
// worker thread about 200 ms later; changes meanwhile give one more computation after it.
class TEffectPreview : public QObject {
    Q_OBJECT

public:
    // Builds the request on the GUI thread, given an empty folder to take as the output
    // folder (the checks want one that exists).
    using TRequestSource = std::function<TEffectRequest(const std::string& outputFolder)>;

    TEffectPreview(QObject* parent, TRequestSource source);
    ~TEffectPreview() override;

    // A field, the page or the picture changed.
    void Schedule();
    bool Busy() const { return worker_ != nullptr; }

signals:
    // The result shown no longer fits the fields; a new one is on its way.
    void Outdated();
    void Ready(const TEffectResult& result);

private:
    void Start();
    void Finished(const TEffectResult& result);

    TRequestSource source_;
    QTimer* delay_;
    std::unique_ptr<QTemporaryDir> outputFolder_;
    QThread* worker_ = nullptr;
    std::shared_ptr<TPreviewHost> host_;  // of the computation under way
    bool changed_ = false;                // a change came after the computation began
};

}  // namespace quillane
