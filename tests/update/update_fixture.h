// What the update tests share: an HTTP service on 127.0.0.1 inside the test process that
// answers as it is told and notes every request, a fixture that points the check at it with
// settings and a scratch folder of the test's own, and a helper that closes the next modal
// window. Nothing leaves the loopback address: the service listens on it, the check is
// pointed at it, and no proxy is used.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QNetworkProxy>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "designer/designer_settings.h"
#include "designer/update/web_update.h"
#include "platform/settings.h"
#include "tests/support/test_support.h"

namespace stagora::test {

class LocalHttpService : public QObject {
 public:
  struct Answer {
    int status = 200;
    QByteArray body;
    bool silent = false;  // take the request and never answer it
  };

  LocalHttpService() {
    listening_ = server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) Serve(socket);
    });
  }

  bool listening() const { return listening_; }
  // The service's address as the settings hold it.
  std::string address(const std::string& path = "/upd") const {
    return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + path;
  }
  void answer(Answer a) { answer_ = std::move(a); }
  void answerWith(const std::string& body) { answer_ = {200, QByteArray::fromStdString(body), false}; }
  // Runs when a request has arrived, before it is answered.
  void onRequest(std::function<void()> hook) { hook_ = std::move(hook); }
  // The request targets (path and query) in order of arrival.
  const std::vector<std::string>& requests() const { return requests_; }
  void close() { server_.close(); }
  // Ends every request it left unanswered with a server error (a dropped connection would
  // only have the request sent again).
  void hangUp() {
    for (QTcpSocket* socket : findChildren<QTcpSocket*>()) {
      if (socket->state() != QAbstractSocket::ConnectedState || !socket->property("seen").toBool()) continue;
      socket->write("HTTP/1.1 500 X\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      socket->disconnectFromHost();
    }
  }

 private:
  void Serve(QTcpSocket* socket) {
    socket->setParent(this);
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
      buffer->append(socket->readAll());
      if (!buffer->contains("\r\n\r\n") || socket->property("seen").toBool()) return;
      socket->setProperty("seen", true);
      const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
      requests_.push_back(requestLine.size() > 1 ? requestLine[1].toStdString() : "");
      if (const auto hook = hook_) hook();  // a copy: the hook may replace itself
      if (answer_.silent) return;
      QByteArray reply = "HTTP/1.1 " + QByteArray::number(answer_.status) + " X\r\nContent-Type: text/plain\r\n" +
                         "Content-Length: " + QByteArray::number(answer_.body.size()) +
                         "\r\nConnection: close\r\n\r\n" + answer_.body;
      socket->write(reply);
      socket->disconnectFromHost();
    });
  }

  QTcpServer server_;
  bool listening_ = false;
  Answer answer_;
  std::function<void()> hook_;
  std::vector<std::string> requests_;
};

// A check pointed at a LocalHttpService, with settings and a scratch folder of its own, the
// running version 2.2.2 and a clock that stands still.
class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    plat::SetSettingsFolder(ScratchDir("settings-" + name));
    temp = ScratchDir("temp-" + name);
    ASSERT_TRUE(service.listening());
    plat::SaveSetting("TROV", designer::settings::kUpdateService, service.address());
    env.settingsApp = "TROV";
    env.tempPath = temp;
    env.running = {2, 2, 2};
    env.now = [this] { return now; };
  }

  void TearDown() override {
    // A check still waiting must not outlive its test: the next would find it busy.
    service.hangUp();
    EXPECT_TRUE(QTest::qWaitFor([] { return !designer::DownloadRunning(); }, 30000));
  }

  std::string Setting(const plat::SettingKey& key) const {
    return plat::GetSetting("TROV", std::string(key.section), std::string(key.key), "<absent>");
  }

  // Runs a check to its end: the outcome it started with when no request went out, else the
  // outcome its answer gave. newVersion is what the check announced: nothing unless answered.
  designer::CheckOutcome Check(bool forced) {
    std::optional<designer::CheckOutcome> answered;
    newVersion = {};
    const designer::CheckOutcome started =
        designer::CheckNewVersion(forced, env, [&](designer::CheckOutcome o, const designer::UpdateInfo& announced) {
          answered = o;
          newVersion = announced;
        });
    if (started != designer::CheckOutcome::kAsked) return started;
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered.has_value(); }, 30000));
    return answered.value_or(started);
  }

  LocalHttpService service;
  designer::UpdateEnvironment env;
  std::string temp;
  double now = 45678.5;
  designer::UpdateInfo newVersion;
};

// Closes the next modal window that opens and remembers its object name.
class ModalCloser {
 public:
  ModalCloser() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        seen_.push_back(modal->objectName().toStdString());
        modal->close();
      }
    });
    timer_.start();
  }
  const std::vector<std::string>& seen() const { return seen_; }

 private:
  QTimer timer_;
  std::vector<std::string> seen_;
};

}  // namespace stagora::test
