// exchange_datagen <folder> [--securities N] [--orders N] [--reference folder]:
// writes a data set for the simulated exchange. The generated tables come
// from one deterministic recipe (the seed set is 200 securities and 1,000
// orders; the large variant 50,000 and 1,000,000); the hand-written reference
// tables are copied from the reference folder (default: the seed set).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tools/datagen.h"

namespace {

// The tables the generator does not write.
constexpr const char* kReferenceFiles[] = { "settings.txt", "markets.txt", "instruments.txt", "boards.txt",
    "sectors.txt", "statuses.txt", "languages.txt", "newstypes.txt", "drafts.txt", "tradesources.txt",
    "auditgroups.txt", "audittypes.txt", "transitions.txt", "messages.txt", "news.txt", "events.txt",
    "schedule.txt", "auditevents.txt" };

bool positive(const char* text, int& out)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v <= 0 || v > 100000000)
        return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(
            stderr, "usage: exchange_datagen folder [--securities N] [--orders N] [--reference folder]\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::string reference = EXCHANGE_SEED_DATA_DIR;
    datagen::Sizes sizes;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--securities" && hasValue && positive(argv[i + 1], sizes.securities)) {
            ++i;
        } else if (arg == "--orders" && hasValue && positive(argv[i + 1], sizes.orders)) {
            ++i;
        } else if (arg == "--reference" && hasValue) {
            reference = argv[++i];
        } else {
            std::fprintf(stderr, "exchange_datagen: bad argument \"%s\"\n", arg.c_str());
            return 2;
        }
    }
    if (sizes.securities < 20) {
        std::fprintf(stderr, "exchange_datagen: at least 20 securities\n");
        return 2;
    }
    try {
        std::filesystem::create_directories(folder);
        if (!std::filesystem::equivalent(folder, reference)) {
            for (const char* name : kReferenceFiles)
                std::filesystem::copy_file(std::filesystem::path(reference) / name,
                    std::filesystem::path(folder) / name, std::filesystem::copy_options::overwrite_existing);
            // The news attachments that the FTP server of the exchange serves.
            const auto attachments = std::filesystem::path(reference) / "attachments";
            if (std::filesystem::is_directory(attachments))
                std::filesystem::copy(attachments, std::filesystem::path(folder) / "attachments",
                    std::filesystem::copy_options::overwrite_existing
                        | std::filesystem::copy_options::recursive);
        }
        const auto brokers = datagen::WriteParties(folder);
        datagen::WriteMarket(folder, sizes, brokers);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "exchange_datagen: %s\n", e.what());
        return 1;
    }
    std::printf("exchange_datagen: wrote %s (%d securities, %d orders)\n", folder.c_str(), sizes.securities,
        sizes.orders);
    return 0;
}
