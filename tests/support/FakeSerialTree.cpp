#include "FakeSerialTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

FakeSerialTree::FakeSerialTree() {
  EXPECT_TRUE(dir_.isValid());
  for (const char* folder : {"prog/ports", "dev/serial/by-id", "sys/class/tty"}) Mkdir(folder);
}

PortRoots FakeSerialTree::Roots() const {
  return {Path("prog"), Path("dev"), Path("sys")};
}

std::string FakeSerialTree::Path(const std::string& relative) const {
  return dir_.filePath(QString::fromStdString(relative)).toStdString();
}

void FakeSerialTree::Mkdir(const std::string& relative) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath(QString::fromStdString(relative))) << relative;
}

void FakeSerialTree::Write(const std::string& relative, const std::string& text) {
  QFile file(QString::fromStdString(Path(relative)));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative;
  ASSERT_EQ(file.write(text.c_str()), static_cast<qint64>(text.size()));
}

void FakeSerialTree::Link(const std::string& target, const std::string& relative) {
  ASSERT_TRUE(QFile::link(QString::fromStdString(target), QString::fromStdString(Path(relative))))
      << relative;
}

void FakeSerialTree::UsbDevice(const std::string& folder, const char* vid, const char* pid,
                               const char* maker, const char* product, const char* serial) {
  Mkdir(folder);
  Write(folder + "/idVendor", std::string(vid) + "\n");
  Write(folder + "/idProduct", std::string(pid) + "\n");
  Write(folder + "/manufacturer", std::string(maker) + "\n");
  if (*product) Write(folder + "/product", std::string(product) + "\n");
  if (*serial) Write(folder + "/serial", std::string(serial) + "\n");
}

void FakeSerialTree::Tty(const std::string& name, const std::string& device, const char* uartType,
                         bool node) {
  const std::string folder = "sys/class/tty/" + name;
  Mkdir(folder);
  Mkdir(QDir::cleanPath(QString::fromStdString(folder + "/" + device)).toStdString());
  Link(device, folder + "/device");
  if (uartType) Write(folder + "/type", std::string(uartType) + "\n");
  if (node) Link("/dev/null", "dev/" + name);
}

void FakeSerialTree::ById(const std::string& name, const std::string& target) {
  Link(target, "dev/serial/by-id/" + name);
}
