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
    // Ends the grab and the stream's display thread; before the window's views go, because
    // that thread draws into them.
    void stopStream();

    QCustomPictureView* mainView() const { return m_mainView; }
    QCustomPictureView* secondView() const { return m_secondView; }
    VQtDeviceStream* stream() const { return m_stream; }

    void connectActions(QAction* openImage, QAction* saveImage, QAction* saveSequence, QAction* zoomIn,
                        QAction* zoomOut, QAction* zoomFit, QAction* originalSize, QAction* horizontalProfile,
                        QAction* verticalProfile);
    // Status-bar read-outs: the cross-hair, the pointer, and the picture's size and zoom.
    void setMarkerLabel(QLabel* label) { m_markerLabel = label; }
    void setPointerLabel(QLabel* label) { m_pointerLabel = label; }
    void setImageInfoLabel(QLabel* label) { m_imageInfoLabel = label; }

    // Opens and shows an image file (".raw" asks for its layout); false when nothing was shown.
    bool openImageFile(const QString& path);
    // Shows the built-in background picture: no file name, no remembered folder.
    bool openBackgroundPicture(const QString& path);
    QString lastFolder() const { return m_lastFolder; }
    // "Marker(x,y)Value(...)" for the cross-hair of the main picture.
    QString markerText() const;
    // "Pointer(x,y)Value(...)" for a pixel of the main picture.
    QString pointerText(const QPoint& pixel) const;
    // "Size:WxH Zoom:z%" of the main picture.
    QString imageInfoText() const;
    void retranslateUi();
    // Processing, profile and colour-order choices of the settings.
    void applySettings();
    // Offers the optional picture-menu entries: spectrum and multiple light always, pixel
    // displacement while a sensor-shift camera is open.
    void updateActionParam();

signals:
    void signalOutputInfo(const QString& text, int level);
    void signalSaveImageStatus(int status, const QString& files);
    // A file the user chose is shown.
    void signalImageOpened(const QString& path);

public slots:
    void slotActionOpenImage();
    void slotActionSaveImage();
    void slotActionSaveSequenceImage();
    void slotUpdateMarker(bool moved);
    void slotUpdatePointer(const QPoint& pixel, bool over);

private:
    bool askRawLayout(const QString& path, struct VQtImageParam& param, uint64_t& start);
    void frameFormat(int* channels, int* bitDepth, int* bayerPattern) const;
    void rememberFolder(const QString& path);
    QString pixelValues(const QPoint& pixel) const;

    QWidget* m_window = nullptr;
    QCustomPictureView* m_mainView = nullptr;
    QCustomPictureView* m_secondView = nullptr;
    VQtDeviceStream* m_stream = nullptr;
    QLabel* m_markerLabel = nullptr;
    QLabel* m_pointerLabel = nullptr;
    QLabel* m_imageInfoLabel = nullptr;
    QString m_lastFolder;
};
