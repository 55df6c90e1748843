// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryRecord.h"
#include "history/ReviewRule.h"
#include "shared/SheetDraw.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;

namespace sorario {

class Dialogs;
class SetupClassRun;

// The set-up window's class controls: 「クラス」, 「最近の問題を除く」 and the two reviews
// (「間違えた問題を優先」, 「個別復習プリント」: one or neither), offered as last chosen,
// and a run begun for what they say; 「保存先…」 chooses where the history is kept.
class SetupClassControls : public QObject
{
    Q_OBJECT

public:
    SetupClassControls(QComboBox *className, QSpinBox *avoidRecent, QCheckBox *review, QCheckBox *pupilReview,
        QPushButton *historyPlace, SetupClassRun &classes, Dialogs &dialogs, QObject *parent = nullptr);

    // The classes recorded, and the last run's choice.
    void load();
    QString className() const;
    // The run's draw for what the controls say; nothing when there is no run.
    std::optional<DrawSheet> begin(RunOutput output);

private:
    // A review needs a class.
    ReviewDraw review() const;
    void rememberReview();
    void showReviewOfClass();
    void cmdHistoryPlace_Click();

    QComboBox *m_className;
    QSpinBox *m_avoidRecent;
    QCheckBox *m_review;
    QCheckBox *m_pupilReview;
    SetupClassRun &m_classes;
    Dialogs &m_dialogs;
    QHash<QString, ReviewDraw> m_reviewOf; // the choice made for each class named this session
    bool m_showing = false;
};

} // namespace sorario
