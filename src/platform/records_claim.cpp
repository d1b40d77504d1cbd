#include "platform/records_claim.h"

#include <QDir>

RecordsClaim claimRecordsFolder(const FolderChoice& choice, const QString& message)
{
    RecordsClaim result;
    if (!choice.portable.isEmpty()) {
        result.instance = std::make_unique<SingleInstance>(choice.portable);
        result.claim = result.instance->claim(message);
        if (result.claim != SingleInstance::Claim::CannotLock) {
            result.folders.files = choice.files;
            result.folders.records = choice.portable;
            return result;
        }
    }
    result.folders = recordsAway(choice);
    if (result.folders.records.isEmpty()) {
        result.instance.reset();
        result.claim = SingleInstance::Claim::CannotLock;
        return result;
    }
    result.instance = std::make_unique<SingleInstance>(result.folders.records);
    result.claim = result.instance->claim(message);
    if (result.claim == SingleInstance::Claim::CannotLock) {
        result.folders.recordsProblem =
            QStringLiteral("%1 に書き込めません").arg(QDir::toNativeSeparators(result.folders.records));
        result.folders.records.clear();
        return result;
    }
    if (result.claim == SingleInstance::Claim::Claimed || result.claim == SingleInstance::Claim::NotAFile) {
        result.copied = copyRecordsFrom(choice.portable, result.folders.records);
        result.bothHoldRecords = result.copied.isEmpty() && !choice.portable.isEmpty() && holdsRecords(choice.portable);
    }
    return result;
}
