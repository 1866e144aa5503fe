// Worker of the correction-table transfer: reads and writes the look-up table, the defect
// pixel list and the flat-field coefficients of the open camera through its features (an
// index feature selects an entry, a value feature carries it, an optional command commits it).
// One operation per run; a failed entry asks the window (blocking) whether to go on.
#ifndef VQTPREPROCESSTHREAD_H
#define VQTPREPROCESSTHREAD_H

#include <QPoint>
#include <QStringList>
#include <QThread>
#include <QVector>
#include <atomic>
#include <mutex>

#include "device/OxaApi.h"
#include "tools/VQtPreProcessNames.h"
#include "tools/VQtTableCheck.h"
#include "tools/VQtWorkerJoin.h"

class VQtDevice;

enum VQT_PREPROCESS_TYPE { VQT_PREPROCESS_READ = 0, VQT_PREPROCESS_WRITE = 1, VQT_PREPROCESS_REMOVE = 2 };

class VQtPreProcessThread : public QThread {
    Q_OBJECT

public:
    // Tables larger than this are not believed, whatever the camera says.
    static constexpr int64_t kMaxEntries = 1 << 20;

    explicit VQtPreProcessThread(VQtDevice* device, QObject* parent = nullptr);
    ~VQtPreProcessThread() override;

    void setDevice(VQtDevice* device);
    VQtDevice* device() const { return m_device; }
    // Stores kind (VQtTableKind) and operation, chooses the feature names, starts the run;
    // false (nothing starts) when the previous run is still inside a camera call.
    bool startThread(int kind, VQT_PREPROCESS_TYPE operation);
    // Ends the loops after the current entry and waits, processing events, for the end; false
    // when the run has not ended by the deadline.
    bool stopThread(int deadlineMs = -1);
    void addVector(const QVector<QPoint>& entries);
    QVector<QPoint> getVector() const;
    VQT_PREPROCESS_TYPE getType() const { return m_operation; }
    int getKind() const { return m_kind; }
    QStringList getFeatureList() const;
    // The answer to the last question (true: go on).
    void setContinueMessage(bool goOn) { m_continue = goOn; }
    // Where a defect stands in the camera's list (board-attached and GigE Vision cameras
    // only), -1 when it is not there or cannot be read.
    int getDefectPixelIndex(const QPoint& point);
    const VQtPreProcessNames& names() const { return m_names; }
    // Chooses the names for the current camera.
    void chooseNames();
    // What the camera's table of that kind takes; false when its size cannot be read.
    bool tableLimits(int kind, VQtTableLimits* limits) const;

signals:
    void signalProgressRange(int maximum);
    void signalProgressValue(int value);
    // Connect with Qt::BlockingQueuedConnection: the worker waits for setContinueMessage().
    void signalMessagebox(QString text);
    void signalAddRemoveSuccess(bool ok, QPoint point);
    void signalThreadExit(bool ok);
    // A failure the run itself cannot report (an exception stopped it).
    void signalOutputInfo(QString text, int level);

protected:
    void run() override;

private:
    bool transfer();
    OXA_DEV_HANDLE handle() const;
    bool ask(const QString& text);
    void touch(VQtPreProcessNames::Role role);
    bool readTable(bool lut);
    bool writeTable(bool lut);
    bool addDefects();
    bool removeDefects();
    bool readDefects();
    bool changeDefects(bool add);
    bool readCount(VQtPreProcessNames::Role count, OXA_FEATURE_HANDLE index, int64_t* n) const;

    VQtDevice* m_device = nullptr;
    VQtPreProcessNames m_names;
    int m_kind = 0;
    VQT_PREPROCESS_TYPE m_operation = VQT_PREPROCESS_READ;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_continue{false};
    // The entry list and the touched names; a standard mutex, which ThreadSanitizer sees.
    mutable std::mutex m_lock;
    QVector<QPoint> m_entries;
    QStringList m_touched;
};

#endif // VQTPREPROCESSTHREAD_H
