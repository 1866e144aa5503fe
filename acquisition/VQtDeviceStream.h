#pragma once

#include <QString>
#include <QThread>
#include <memory>

#include "acquisition/VQtImageParam.h"

class VQtImageThread;
class VQtPictureTarget;
class VQtPsCricleBuffer;

// The acquisition stream. This part serves image files: opening a file into the stream's
// frame buffer and showing it in the main picture, and saving the frame at hand as one
// image or as a numbered sequence through the image thread.
class VQtDeviceStream : public QThread {
    Q_OBJECT
public:
    explicit VQtDeviceStream(QObject* parent = nullptr);
    ~VQtDeviceStream() override;

    void setWidget(VQtPictureTarget* main, VQtPictureTarget* second);
    VQtImageThread* getImageThread() const { return m_imageThread; }
    VQtImageParam getImageParam() const { return m_param; }
    VQtPsCricleBuffer* getFrameBuffer() const { return m_frame.get(); }
    uint64_t getDataOffset() const { return m_dataOffset; }
    bool hasFrame() const;
    // The user's red/blue exchange, applied to colour frames from a camera; image files carry
    // their own channel order.
    void setRGBConversion(bool on) { m_rgbConversion = on; }
    bool getRGBConversion() const { return m_rgbConversion; }

    // Opens an image file and shows it; a file that cannot be read or shown leaves the current
    // picture and frame untouched.
    bool openImage(const QString& path);
    // Saves the frame at hand with the current save settings (one image, or a sequence).
    bool saveImage(const QString& path);
    // Converts the frame buffer into the main picture and asks for a redraw.
    bool showFrame(VQtPictureTarget* target);

signals:
    void signalOutputInfo(const QString& text, int level);
    void signalSaveImageStatus(int status, const QString& files);

private:
    VQtImageThread* m_imageThread = nullptr;
    std::unique_ptr<VQtPsCricleBuffer> m_frame;
    VQtImageParam m_param;
    uint64_t m_dataOffset = 0;
    bool m_rgbConversion = false;
    VQtPictureTarget* m_main = nullptr;
    VQtPictureTarget* m_second = nullptr;
};
