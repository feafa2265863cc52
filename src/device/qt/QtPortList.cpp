#include "device/qt/QtPortList.h"

#include <QFile>
#include <QSerialPortInfo>

std::vector<std::string> SystemPortNames() {
  std::vector<std::string> names;
  for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts())
    names.push_back(QFile::encodeName(port.systemLocation()).toStdString());
  return names;
}
