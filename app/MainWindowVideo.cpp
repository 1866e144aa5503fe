// The main window's side of video recording: the start and stop actions, the recorder's status
// codes as log lines, and the next numbered file when a recording ended while the grab goes on.
#include "app/MainWindow.h"
#include "app/VQtPictureControl.h"
#include "core/VQtSystemParam.h"
#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"
#include "imageproc/VQtDisplayBytes.h"
#include "ui_MainWindow.h"

#include <QAction>
#include <QFileDialog>

#include "acquisition/VQtDeviceStream.h"
#include "acquisition/VQtVideoX264.h"

void MainWindow::slotActionStartX264() {
    QString path = QFileDialog::getSaveFileName(this, tr("Save Video File"), g_sysPrm.ui.LastImageFolder,
                                                tr("Video File(*.h264)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".h264"), Qt::CaseInsensitive))
        path += QLatin1String(".h264");
    startVideoX264(path);
}

bool MainWindow::startVideoX264(const QString& path) {
    VQtDeviceStream* stream = pictureControl->stream();
    // Deeper samples are recorded through the 8-bit window the picture shows, when one is chosen.
    const CPicInterceptMode m = mainPicture()->getInterceptMode();
    stream->getVideoThread()->setSampleShift(
        m.adaptive || m.shift >= 0 ? vqtDisplayShift(m.shift, m.bits, m.adaptive) : -1);
    const bool started = stream->openX264(path);
    if (!started)
        //: 创建视频文件失败
        emit signalOutputInfo(tr("Failed to create video file"), 2);
    updateVideoActionStates();
    return started;
}

void MainWindow::slotActionStopX264() {
    pictureControl->stream()->closeX264();
    updateVideoActionStates();
}

void MainWindow::updateVideoActionStates() {
    const VQtDeviceStream* stream = pictureControl ? pictureControl->stream() : nullptr;
    const bool recording = stream && stream->isSavingX264();
    ui->actionStartVideoX264->setEnabled(stream && stream->isGrabbing() && !recording);
    ui->actionStopVideoX264->setEnabled(recording);
}

void MainWindow::slotVideoErrorCode(int code) {
    const bool debug = g_sysPrm.debugMode;
    switch (code) {
    case VQT_VIDEO_SAVED:
        emit signalOutputInfo(tr("Video saved successfully"), 0);
        break;
    case VQT_VIDEO_OUT_OF_MEMORY:
        emit signalOutputInfo(tr("Out of memory, waiting for the image to save ..."), 1);
        break;
    case VQT_VIDEO_FILE_TOO_LARGE:
        emit signalOutputInfo(
            debug ? tr("Save video file is too large, Exit save")
                  : tr("The saved video file is too large and automatically saved as a new file"),
            1);
        break;
    case VQT_VIDEO_WRITE_FAILED:
        emit signalOutputInfo(debug ? tr("Failed to write video data, Exit saving")
                                    : tr("Failed to write video data and automatically saved as a new file"),
                              2);
        break;
    default:
        break;
    }
    // The recording ended by itself while frames keep coming: on into the next numbered file.
    const bool continues =
        code == VQT_VIDEO_OUT_OF_MEMORY || code == VQT_VIDEO_FILE_TOO_LARGE || code == VQT_VIDEO_WRITE_FAILED;
    VQtDeviceStream* stream = pictureControl ? pictureControl->stream() : nullptr;
    if (continues && !debug && stream && stream->isGrabbing() && !stream->addX264(code))
        emit signalOutputInfo(tr("Failed to create video file"), 2);
    updateVideoActionStates();
}
