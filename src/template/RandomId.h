#pragma once

#include <QUuid>

// A random (version 4) UUID from the process's seeded generator. QUuid::createUuid()
// asks the kernel for every id, which is too slow for ids made on each keystroke.
QUuid randomId();
