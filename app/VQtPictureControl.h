#pragma once

#include <QObject>
#include <QString>
#include <cstdint>

#include "display/QCustomPictureView.h"
#include "display/QCustomPictureWidget.h"

class QAction;
class QLabel;
class QWidget;
class VQtDeviceStream;
struct VQtImageParam;

// The picture side of the main window: the main and second picture views, the stream that
// opens and saves image files for them, the File menu's image actions, the zoom and profile
// actions and the marker read-out of the status bar.
class VQtPictureControl : public QObject {
    Q_OBJECT
public:
    // `window` parents the views and the dialogs.
    explicit VQtPictureControl(QWidget* window);
    ~VQtPictureControl() override;

    QCustomPictureView* mainView() const { return m_mainView; }
    QCustomPictureView* secondView() const { return m_secondView; }
    VQtDeviceStream* stream() const { return m_stream; }

    void connectActions(QAction* openImage, QAction* saveImage, QAction* saveSequence, QAction* zoomIn,
                        QAction* zoomOut, QAction* zoomFit, QAction* horizontalProfile,
                        QAction* verticalProfile);
    void setMarkerLabel(QLabel* label) { m_markerLabel = label; }

    // Opens and shows an image file (".raw" asks for its layout); false when nothing was shown.
    bool openImageFile(const QString& path);
    // "Marker(x,y)Value(...)" for the cross-hair of the main picture.
    QString markerText() const;
    void retranslateUi();
    // Processing choices of the settings for both pictures.
    void applySettings();

signals:
    void signalOutputInfo(const QString& text, int level);
    void signalSaveImageStatus(int status, const QString& files);

public slots:
    void slotActionOpenImage();
    void slotActionSaveImage();
    void slotActionSaveSequenceImage();
    void slotUpdateMarker(bool moved);

private:
    bool askRawLayout(const QString& path, struct VQtImageParam& param, uint64_t& start);
    void frameFormat(int* channels, int* bitDepth, int* bayerPattern) const;

    QWidget* m_window = nullptr;
    QCustomPictureView* m_mainView = nullptr;
    QCustomPictureView* m_secondView = nullptr;
    VQtDeviceStream* m_stream = nullptr;
    QLabel* m_markerLabel = nullptr;
    QString m_lastFolder;
};
