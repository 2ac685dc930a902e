// SPDX-License-Identifier: MIT
// The check of a chosen music file: accepted exactly when it starts as a RIFF WAVE file does.
#include "FuzzSupport.h"

#include "music/MusicFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const QString path = fuzz::writeFile(QStringLiteral("chosen.wav"), input);
    const QByteArray riff = input.left(4);
    const bool wave =
        input.size() >= 12 && input.mid(8, 4) == "WAVE" && (riff == "RIFF" || riff == "RIFX" || riff == "RF64");
    FUZZ_CHECK(MusicFiles::checkChosenFile(path).isEmpty() == wave);
    return 0;
}
