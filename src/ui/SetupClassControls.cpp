// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SetupClassControls.h"

#include "history/ClassNames.h"
#include "setup/SetupClassRun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

namespace sorario {

SetupClassControls::SetupClassControls(
    QComboBox *className, QSpinBox *avoidRecent, QCheckBox *review, SetupClassRun &classes, QObject *parent)
    : QObject(parent)
    , m_className(className)
    , m_avoidRecent(avoidRecent)
    , m_review(review)
    , m_classes(classes)
{
    connect(m_className, &QComboBox::editTextChanged, this,
        [this](const QString &name) { m_review->setEnabled(!name.trimmed().isEmpty()); });
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
}

QString SetupClassControls::className() const
{
    return m_className->currentText().trimmed();
}

std::optional<DrawSheet> SetupClassControls::begin()
{
    const QString name = className();
    const bool review = m_review->isEnabled() && m_review->isChecked();
    std::optional<DrawSheet> draw
        = m_classes.begin(name, m_avoidRecent->value(), review ? ReviewDraw::Class : ReviewDraw::None);
    if (draw && !name.isEmpty() && m_className->findText(name) < 0)
        m_className->insertItem(0, name);
    return draw;
}

} // namespace sorario
