#include "HotKeyNotifier.h"

HotKeyNotifier *HotKeyNotifier::shared()
{
    static HotKeyNotifier *notifier = new HotKeyNotifier;
    return notifier;
}
