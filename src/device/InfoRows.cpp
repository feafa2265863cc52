#include "device/InfoRows.h"

#include "core/Glob.h"

void TInfoPanel::Build(const TGLOB& glob) {
  struct TSpec {
    TInfoKind Kind;
    bool Settable;
  };
  static const TSpec specs[InfoRowCount] = {
      {TInfoKind::Integer, true},  {TInfoKind::Integer, true},  {TInfoKind::Date, true},
      {TInfoKind::Integer, true},  {TInfoKind::Number, false},  {TInfoKind::Number, false},
      {TInfoKind::Number, false},  {TInfoKind::Integer, false}, {TInfoKind::Check, true},
      {TInfoKind::Integer, true},  {TInfoKind::Integer, true},  {TInfoKind::Integer, true},
      {TInfoKind::Integer, true},  {TInfoKind::Number, false},  {TInfoKind::Date, true},
      {TInfoKind::Time, true},     {TInfoKind::Check, true},    {TInfoKind::Check, true},
      {TInfoKind::Check, true},    {TInfoKind::Check, false}};
  for (int i = 0; i < InfoRowCount; ++i) {
    TInfoRow& row = Rows[static_cast<size_t>(i)];
    row = TInfoRow{};
    row.Caption = i < 10 ? glob.MainText(125 + i) : glob.DeviceInfoText(i - 10);
    row.Kind = specs[i].Kind;
    row.Settable = specs[i].Settable;
  }
  Rows[irVolume].WhiteText = true;
  Rows[irEditEnable].ReadOnly = false;
  Built = true;
}

void TInfoPanel::SetEditable(bool editable) {
  for (int i = 0; i < irEditEnable; ++i) {
    TInfoRow& row = Rows[static_cast<size_t>(i)];
    if (row.Settable)
      row.ReadOnly = !editable;
    else
      row.Visible = !editable;
  }
}
