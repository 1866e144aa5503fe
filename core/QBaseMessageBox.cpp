#include "core/QBaseMessageBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QBaseMessageBox::QBaseMessageBox(QWidget* parent, BaseIcon icon, const QString& title, const QString& text,
                                 int buttons, int defaultButton)
    : QBaseDialog(parent) {
    setTitleContent(title);

    m_pIcon = new QLabel(this);
    m_pIcon->setFixedSize(32, 32);
    m_pIcon->setScaledContents(true);
    const QPixmap picture(iconPath(icon));
    if (!picture.isNull())
        m_pIcon->setPixmap(picture.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));

    m_pText = new QLabel(text, this);
    m_pText->setScaledContents(true);
    m_pText->setWordWrap(true);
    m_pText->setTextInteractionFlags(Qt::TextSelectableByMouse);

    //: 是
    m_pYes = new QPushButton(tr("Yes"), this);
    //: 否
    m_pNo = new QPushButton(tr("No"), this);
    m_pYes->setFixedSize(75, 25);
    m_pNo->setFixedSize(75, 25);
    // Yes and No together may be asked for by the dedicated code or by combining both.
    const bool both = buttons == YesNo || ((buttons & Yes) && (buttons & No));
    m_pYes->setVisible(both || buttons == Yes);
    m_pNo->setVisible(both || buttons == No);
    m_pYes->setAutoDefault(false);
    m_pNo->setAutoDefault(false);
    if (defaultButton == Yes)
        m_pYes->setDefault(true);
    if (defaultButton == No)
        m_pNo->setDefault(true);
    connect(m_pYes, &QPushButton::clicked, this, &QBaseMessageBox::slotYes);
    connect(m_pNo, &QPushButton::clicked, this, &QBaseMessageBox::slotNo);

    auto* messageRow = new QHBoxLayout;
    messageRow->addWidget(m_pIcon, 0, Qt::AlignTop);
    messageRow->addWidget(m_pText, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_pYes);
    buttonRow->addWidget(m_pNo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(messageRow);
    layout->addStretch(1);
    layout->addLayout(buttonRow);
}

QBaseMessageBox::~QBaseMessageBox() = default;

QString QBaseMessageBox::iconPath(int icon) {
    switch (icon) {
    case Warning:
        return QStringLiteral(":/Resource/Warning");
    case Error:
        return QStringLiteral(":/Resource/Error");
    default:
        return QStringLiteral(":/Resource/Information");
    }
}

void QBaseMessageBox::slotYes() {
    m_nResult = Yes;
    accept();
}

void QBaseMessageBox::slotNo() {
    m_nResult = No;
    reject();
}

int QBaseMessageBox::information(QWidget* parent, const QString& title, const QString& text, int buttons,
                                 int defaultButton) {
    QBaseMessageBox box(parent, Information, title, text, buttons, defaultButton);
    box.exec();
    return box.resultCode();
}

int QBaseMessageBox::warning(QWidget* parent, const QString& title, const QString& text, int buttons,
                             int defaultButton) {
    QBaseMessageBox box(parent, Warning, title, text, buttons, defaultButton);
    box.exec();
    return box.resultCode();
}
