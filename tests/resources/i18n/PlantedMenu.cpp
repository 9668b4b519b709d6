// A menu entry that skips tr(): the translatable-text check must refuse it.
void build(QMenu *menu)
{
    menu->addAction(QObject::tr("Translated"));
    menu->addAction(QStringLiteral("Quit Everything"));
}
