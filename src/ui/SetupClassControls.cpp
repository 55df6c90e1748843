// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SetupClassControls.h"

#include "history/ClassNames.h"
#include "setup/SetupClassRun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

namespace sorario {

SetupClassControls::SetupClassControls(QComboBox *className, QSpinBox *avoidRecent, QCheckBox *review,
    QCheckBox *pupilReview, SetupClassRun &classes, QObject *parent)
    : QObject(parent)
    , m_className(className)
    , m_avoidRecent(avoidRecent)
    , m_review(review)
    , m_pupilReview(pupilReview)
    , m_classes(classes)
{
    connect(m_className, &QComboBox::editTextChanged, this, [this](const QString &name) {
        m_review->setEnabled(!name.trimmed().isEmpty());
        m_pupilReview->setEnabled(!name.trimmed().isEmpty());
    });
    connect(m_review, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_pupilReview->setChecked(false);
    });
    connect(m_pupilReview, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_review->setChecked(false);
    });
}

void SetupClassControls::load()
{
    m_className->clear();
    m_className->addItems(m_classes.classes());
    const ClassChoice last = LastClassChoice();
    m_className->setCurrentIndex(-1);
    m_className->setEditText(last.className);
    m_avoidRecent->setValue(last.avoidRecent);
    m_review->setChecked(last.review == ReviewDraw::Class);
    m_pupilReview->setChecked(last.review == ReviewDraw::Pupils);
}

QString SetupClassControls::className() const
{
    return m_className->currentText().trimmed();
}

ReviewDraw SetupClassControls::review() const
{
    if (m_pupilReview->isEnabled() && m_pupilReview->isChecked())
        return ReviewDraw::Pupils;
    if (m_review->isEnabled() && m_review->isChecked())
        return ReviewDraw::Class;
    return ReviewDraw::None;
}

std::optional<DrawSheet> SetupClassControls::begin(RunOutput output)
{
    const QString name = className();
    std::optional<DrawSheet> draw = m_classes.begin(name, m_avoidRecent->value(), review(), output);
    if (draw && !name.isEmpty() && m_className->findText(name) < 0)
        m_className->insertItem(0, name);
    return draw;
}

} // namespace sorario
