// Starts like the program does, for the single-instance tests:
//   instance_probe NAME [ARGUMENTS...]
// prints "first", "handed" or "failed"; a first copy then waits to be killed.
#include <QCoreApplication>
#include <cstdio>

#include "app/single_instance.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments();
  if (args.size() < 2) return 2;
  qw::SingleInstance instance(args[1]);
  switch (instance.Start(args.mid(2))) {
    case qw::SingleInstance::Role::First:
      std::printf("first\n");
      std::fflush(stdout);
      return app.exec();
    case qw::SingleInstance::Role::Handed:
      std::printf("handed\n");
      return 0;
    case qw::SingleInstance::Role::Failed:
      std::printf("failed\n");
      return 1;
  }
  return 1;
}
