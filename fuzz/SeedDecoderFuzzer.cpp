// Feeds arbitrary bytes to the decoders of the two shipped library files. A decode either
// fails with a message or gives records that encode to a document that decodes again.
#include "SeedRecords.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));

    QString error;
    if (const std::optional<PromptsRoot> prompts = PromptsRoot::decode(bytes, &error)) {
        const std::optional<PromptsRoot> again = PromptsRoot::decode(prompts->encode());
        if (!again || again->prompts.size() != prompts->prompts.size() || again->metadata.has_value() != prompts->metadata.has_value())
            std::abort();
    } else if (error.isEmpty()) {
        std::abort();
    }

    error.clear();
    if (const std::optional<DataRoot> root = DataRoot::decode(bytes, &error)) {
        const std::optional<DataRoot> again = DataRoot::decode(root->encode());
        if (!again || again->categories.size() != root->categories.size() || again->tags.size() != root->tags.size()
            || again->globalLists().size() != root->globalLists().size())
            std::abort();
    } else if (error.isEmpty()) {
        std::abort();
    }
    return 0;
}
