#include "tools/VQtSerialControlWidget.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/QBaseMessageBox.h"
#include "tools/VQtLogTextEdit.h"
#include "tools/VQtWorkerJoin.h"

VQtSerialControlWidget::VQtSerialControlWidget(QWidget* parent) : QBaseWidget(parent) {
    setObjectName(QStringLiteral("VQtSerialControlWidget"));
    m_reader = new VQtSerialThread(this);
    m_text = new VQtLogTextEdit(this);
    m_text->setObjectName(QStringLiteral("textEdit"));
    m_text->setSelectAllFirst(true);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    m_text->setFont(mono);
    m_send = new QComboBox(this);
    m_send->setObjectName(QStringLiteral("comboBoxSend"));
    m_send->setEditable(true);
    m_send->setInsertPolicy(QComboBox::NoInsert);
    m_send->setMaxCount(50);
    m_sendButton = new QPushButton(this);
    m_sendButton->setObjectName(QStringLiteral("pushButtonSend"));
    auto* row = new QHBoxLayout;
    row->addWidget(m_send, 1);
    row->addWidget(m_sendButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(row);
    resize(560, 400);
    connect(m_sendButton, &QPushButton::clicked, this, &VQtSerialControlWidget::slotPushButtonSend);
    connect(m_send->lineEdit(), &QLineEdit::returnPressed, this, &VQtSerialControlWidget::slotPushButtonSend);
    connect(m_reader, &VQtSerialThread::signalGetData, this, &VQtSerialControlWidget::slotGetData);
    connect(m_reader, &VQtSerialThread::signalOutputInfo, this, [this](const QString& text, int) {
        m_text->addText(QLatin1Char('\n') + text + QLatin1Char('\n'));
    });
    retranslateUi();
    initWindow();
}

VQtSerialControlWidget::~VQtSerialControlWidget() {
    m_reader->stopThread();
    VQtWorkerJoin::release(m_reader, 0);
}

void VQtSerialControlWidget::retranslateUi() {
    setTitleContent(tr("Serial Control"));
    m_sendButton->setText(tr("Send"));
    m_text->retranslateUi();
}

void VQtSerialControlWidget::restartReader() {
    if (!m_reader->stopThread()) {
        m_text->addText(QLatin1Char('\n') + tr("The serial port has not answered the last read yet.") +
                        QLatin1Char('\n'));
        return;
    }
    if (isVisible() && isCameraOpen())
        m_reader->startThread(cameraHandle());
}

void VQtSerialControlWidget::slotPushButtonSend() {
    const QString text = m_send->currentText();
    if (text.isEmpty())
        return;
    if (!isCameraOpen()) {
        QBaseMessageBox::information(this, tr("Information"), tr("Please open the device!"));
        return;
    }
    if (m_send->findText(text) < 0)
        m_send->insertItem(0, text);
    QByteArray bytes = (text + QLatin1Char('\r')).toLatin1();
    uint32_t size = uint32_t(bytes.size());
    // What the write call says is not the user's concern: the reply (or none) tells.
    OxaDevSerialPortWrite(cameraHandle(), bytes.constData(), &size, kWriteTimeoutMs);
    m_send->setCurrentText(QString());
}

void VQtSerialControlWidget::slotGetData(QString text) {
    m_text->addText(text);
}

void VQtSerialControlWidget::showEvent(QShowEvent* event) {
    QBaseWidget::showEvent(event);
    restartReader();
}

void VQtSerialControlWidget::hideEvent(QHideEvent* event) {
    m_reader->stopThread();
    QBaseWidget::hideEvent(event);
}

void VQtSerialControlWidget::closeEvent(QCloseEvent* event) {
    m_reader->stopThread();
    QBaseWidget::closeEvent(event);
}
