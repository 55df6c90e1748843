// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SetupClassControls.h"

#include "history/ClassNames.h"
#include "setup/SetupClassRun.h"
#include "ui/HistoryPlaceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

namespace sorario {

SetupClassControls::SetupClassControls(QComboBox *className, QSpinBox *avoidRecent, QCheckBox *review,
    QCheckBox *pupilReview, QPushButton *historyPlace, SetupClassRun &classes, Dialogs &dialogs,
    QObject *parent)
    : QObject(parent)
    , m_className(className)
    , m_avoidRecent(avoidRecent)
    , m_review(review)
    , m_pupilReview(pupilReview)
    , m_classes(classes)
    , m_dialogs(dialogs)
{
    connect(historyPlace, &QPushButton::clicked, this, &SetupClassControls::cmdHistoryPlace_Click);
    connect(m_className, &QComboBox::editTextChanged, this, &SetupClassControls::showReviewOfClass);
    connect(m_review, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_pupilReview->setChecked(false);
        rememberReview();
    });
    connect(m_pupilReview, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_review->setChecked(false);
        rememberReview();
    });
}

void SetupClassControls::rememberReview()
{
    if (!m_showing)
        m_reviewOf.insert(className(), review());
}

// A review ticked for one class never carries over to the next class's print.
void SetupClassControls::showReviewOfClass()
{
    const QString name = className();
    const ReviewDraw chosen = m_reviewOf.value(name, ReviewDraw::None);
    m_showing = true;
    m_review->setEnabled(!name.isEmpty());
    m_pupilReview->setEnabled(!name.isEmpty());
    m_review->setChecked(chosen == ReviewDraw::Class);
    m_pupilReview->setChecked(chosen == ReviewDraw::Pupils);
    m_showing = false;
}

void SetupClassControls::cmdHistoryPlace_Click()
{
    HistoryPlaceDialog dialog(ServerChoiceOf(m_classes.history().path()), m_dialogs, m_className->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_classes.chooseHistory(dialog.chosen());
    load();
}

void SetupClassControls::load()
{
    m_classes.signIn();
    m_className->clear();
    m_className->addItems(m_classes.classes());
    const ClassChoice last = m_classes.lastChoice();
    m_reviewOf = {{last.className.trimmed(), last.review}};
    m_className->setCurrentIndex(-1);
    m_className->setEditText(last.className);
    showReviewOfClass();
    m_avoidRecent->setValue(last.avoidRecent);
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
