// The page as it will come out of the printer: the chart painted on a sheet of the page's
// proportions, by the same routine and with the same margins as the printed page.
#pragma once

#include <QPageLayout>
#include <QWidget>

class TMonitorChart;

class TPrintPreview : public QWidget {
  Q_OBJECT
 public:
  TPrintPreview(const TMonitorChart& monitor, QWidget* parent);
  void SetPageLayout(const QPageLayout& layout);
  const QPageLayout& PageLayout() const { return Layout; }
  // Where the sheet lies in the widget.
  QRectF SheetRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const TMonitorChart& Monitor;
  QPageLayout Layout;
};
