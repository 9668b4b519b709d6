// Feeds arbitrary bytes to the decoder of the shared folder's journals, which come from other
// devices. A decode either fails with a reason or gives records that encode to a journal that
// decodes to the same records, and merging them never fails.
#include "JournalCodec.h"
#include "SyncState.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const JournalCodec::Decoded decoded = JournalCodec::decode(bytes);
    if (!decoded.ok) {
        if (decoded.error.isEmpty())
            std::abort();
        return 0;
    }
    const JournalCodec::Decoded again = JournalCodec::decode(JournalCodec::encode(decoded.journal));
    if (!again.ok || again.journal.records.size() != decoded.journal.records.size()
        || again.journal.device != decoded.journal.device)
        std::abort();
    SyncState state;
    for (const SyncRecord &record : decoded.journal.records)
        state.merge(record);
    for (const SyncState::Entity &entity : state.entities())
        (void)entity.present(), (void)entity.usage();
    return 0;
}
