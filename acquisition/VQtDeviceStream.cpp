#include "acquisition/VQtDeviceStream.h"

#include <QCoreApplication>

#include "acquisition/VQtFrameLayout.h"
#include "acquisition/VQtImageThread.h"
#include "acquisition/VQtPictureTarget.h"
#include "acquisition/VQtPsCricleBuffer.h"
#include "core/VQtSystemParam.h"
#include "imageproc/VQtIplImage.h"

VQtDeviceStream::VQtDeviceStream(QObject* parent)
    : QThread(parent), m_frame(std::make_unique<VQtPsCricleBuffer>()) {
    m_imageThread = new VQtImageThread(this);
    connect(m_imageThread, &VQtImageThread::signalOutputInfo, this, &VQtDeviceStream::signalOutputInfo);
    connect(m_imageThread, &VQtImageThread::signalSaveImageStatus, this,
            &VQtDeviceStream::signalSaveImageStatus);
}

VQtDeviceStream::~VQtDeviceStream() {
    m_imageThread->stop();
    wait();
}

void VQtDeviceStream::setWidget(VQtPictureTarget* main, VQtPictureTarget* second) {
    m_main = main;
    m_second = second;
}

bool VQtDeviceStream::hasFrame() const {
    return m_frame && m_frame->getBufferSize() > 0;
}

bool VQtDeviceStream::openImage(const QString& path) {
    // Read into a fresh buffer so that a bad file leaves the shown frame alone.
    auto incoming = std::make_unique<VQtPsCricleBuffer>();
    if (!m_imageThread->openImage(path, incoming.get()))
        return false;
    const VQtImageParam p = incoming->getImageParam();
    if (p.width == 0 || p.height == 0) {
        emit signalOutputInfo(
            QCoreApplication::translate("VQtDeviceStream",
                                        "%1 holds an empty frame (%2 x %3 pixels): nothing to show")
                .arg(path)
                .arg(p.width)
                .arg(p.height),
            1);
        return false;
    }
    m_frame.swap(incoming);
    m_param = m_frame->getImageParam();
    m_dataOffset = 0;
    if (m_main && !showFrame(m_main))
        return false;
    return true;
}

bool VQtDeviceStream::showFrame(VQtPictureTarget* target) {
    const VQtImageParam p = m_frame->getImageParam();
    const int depth = p.storageBits > 8 ? 16 : 8;
    // The rule the file readers apply, asked again for frames from anywhere else.
    const QString problem = VQtFrameLayout::problem(p);
    if (!problem.isEmpty()) {
        emit signalOutputInfo(
            QCoreApplication::translate("VQtDeviceStream", "Cannot show the frame: %1").arg(problem), 2);
        return false;
    }
    {
        QWriteLocker l(&target->getImageLock());
        if (!target->createImage(int(p.width), int(p.height), depth, int(p.channels))) {
            emit signalOutputInfo(QCoreApplication::translate("VQtDeviceStream",
                                                              "Failed to allocate memory for a %1 x %2 frame")
                                      .arg(p.width)
                                      .arg(p.height),
                                  2);
            return false;
        }
        VQtIplImage* image = target->getEntireImage();
        m_frame->read(image->getAddress(), image->size, m_dataOffset);
    }
    target->setFrameFormat(p.imageType == 1 ? int(p.bayerPattern) : 0, int(p.bitDepth));
    target->updateEntireImage();
    return true;
}

bool VQtDeviceStream::saveImage(const QString& path) {
    if (!hasFrame()) {
        emit signalOutputInfo(QCoreApplication::translate("VQtDeviceStream", "No image to save"), 1);
        return false;
    }
    const VQtImageSaveParam save = g_sysPrm.save;
    m_imageThread->setImageParam(m_param, save);
    m_imageThread->saveImage(path);
    // Without a running grab there are no further frames: a sequence repeats the frame at hand.
    const int frames = save.sequenceMode ? qMax(1, save.ImageCount) : 1;
    for (int i = 0; i < frames && m_imageThread->isAddSaving(); ++i)
        m_imageThread->addBuffer(m_frame->getBuffer(), m_frame->getBufferSize(), m_dataOffset);
    return true;
}
