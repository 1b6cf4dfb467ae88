#include "app/stop_signals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace qw {
namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  // Only async-signal-safe calls here: the event loop does the rest.
  [[maybe_unused]] ssize_t ignored = ::write(g_signalPipe[0], &byte, 1);
}

}  // namespace

void StopOnSignals(QObject* context, std::function<void()> stop) {
  if (g_signalPipe[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context, [stop = std::move(stop)] {
    char byte = 0;
    [[maybe_unused]] ssize_t ignored = ::read(g_signalPipe[1], &byte, 1);
    stop();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace qw
