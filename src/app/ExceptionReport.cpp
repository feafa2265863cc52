#include "app/ExceptionReport.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "app/Globals.h"
#include "core/qt/ModalDialog.h"

namespace {

class TExceptionReport : public TModalDialog {
  Q_OBJECT
 public:
  explicit TExceptionReport(const QString& message) {
    setWindowTitle(QStringLiteral("VT4800"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(message, this);
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(mrOk); });
    layout->addWidget(buttons);
  }
};

}  // namespace

void ShowExceptionReport(const QString& message) {
  TExceptionReport report(message);
  report.ShowModal(*Platform.Modal);
}

#include "ExceptionReport.moc"
