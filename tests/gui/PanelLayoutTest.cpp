// The control panel has a fixed size, and the print window's panel a fixed width: in both
// languages every text must fit its control and no control may cover another or stand outside
// its parent.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "ProgramFixture.h"
#include "core/Glob.h"
#include "monitor/U_Print.h"
#include "panel/U_Control.h"

namespace {

using PanelLayoutTest = ProgramFixture;

QString NameOf(const QWidget* w) {
  return QString::fromLatin1(w->metaObject()->className()) + " '" +
         (qobject_cast<const QAbstractButton*>(w) ? static_cast<const QAbstractButton*>(w)->text()
          : qobject_cast<const QLabel*>(w)         ? static_cast<const QLabel*>(w)->text()
                                                   : w->objectName()) +
         "'";
}

void ExpectTextsFit(QWidget* root) {
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (w->isHidden()) continue;
    int needed = 0;
    if (auto* box = qobject_cast<QCheckBox*>(w))
      needed = box->sizeHint().width();
    else if (auto* radio = qobject_cast<QRadioButton*>(w))
      needed = radio->sizeHint().width();
    else if (auto* button = qobject_cast<QPushButton*>(w))
      needed = button->fontMetrics().horizontalAdvance(button->text()) + 12;
    else if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && label->pixmap().isNull())
      needed = label->sizeHint().width();
    else if (auto* group = qobject_cast<QGroupBox*>(w))
      needed = group->fontMetrics().horizontalAdvance(group->title()) + 16;
    EXPECT_LE(needed, w->width()) << NameOf(w).toStdString();
  }
}

void ExpectNoOverlaps(QWidget* parent) {
  QList<QWidget*> children;
  for (QObject* o : parent->children())
    if (auto* w = qobject_cast<QWidget*>(o); w && !w->isHidden() && !w->isWindow()) children << w;
  for (int i = 0; i < children.size(); ++i) {
    EXPECT_TRUE(parent->rect().contains(children[i]->geometry()))
        << NameOf(children[i]).toStdString() << " outside " << NameOf(parent).toStdString();
    for (int j = i + 1; j < children.size(); ++j)
      EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
          << NameOf(children[i]).toStdString() << " covers " << NameOf(children[j]).toStdString();
  }
}

TEST_F(PanelLayoutTest, EverythingFitsInBothLanguages) {
  StartAndShow();
  EXPECT_EQ(F_CONTROL->size(), QSize(339, 469));
  for (int language : {1, 0}) {
    F_CONTROL->rLANGUAGEItems->button(language)->click();
    ASSERT_EQ(GLOB->AppliedLanguage, language);
    SCOPED_TRACE(language == 0 ? "English" : "Russian");
    EXPECT_LE(F_CONTROL->PageControl1->tabBar()->sizeHint().width(),
              F_CONTROL->PageControl1->width());
    for (int page = 0; page < F_CONTROL->PageControl1->count(); ++page) {
      F_CONTROL->PageControl1->setCurrentIndex(page);
      ExpectNoOverlaps(F_CONTROL->PageControl1->widget(page));
    }
    ExpectNoOverlaps(F_CONTROL->PanHeader);
    ExpectNoOverlaps(F_CONTROL->rLANGUAGE);
    ExpectNoOverlaps(F_CONTROL);
    ExpectTextsFit(F_CONTROL);
    const QFontMetrics grid(F_CONTROL->AdvStringGrid1->font());
    for (int row = 0; row < 6; ++row)
      EXPECT_LE(grid.horizontalAdvance(F_CONTROL->AdvStringGrid1->item(row, 0)->text()) + 8,
                F_CONTROL->AdvStringGrid1->columnWidth(0));
  }
}

TEST_F(PanelLayoutTest, ThePrintWindowsTextsFitInBothLanguages) {
  StartAndShow();
  for (int language : {1, 0}) {
    F_CONTROL->rLANGUAGEItems->button(language)->click();
    SCOPED_TRACE(language == 0 ? "English" : "Russian");
    FPrint->FormShow();
    FPrint->FormHide();
    for (QWidget* parent : std::initializer_list<QWidget*>{FPrint, FPrint->gbORIENTATION, FPrint->gbPRINTING})
      ExpectNoOverlaps(parent);
    ExpectTextsFit(FPrint);
  }
}

}  // namespace
