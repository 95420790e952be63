// The mail client's reply reader: see support/ReplyFuzz.h for what is checked.
//
// Seeds: tests/fixtures/services/*.txt

#include "ReplyFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::checkReplies(data, size, SmtpReplyReader::Rule::Smtp);
    return 0;
}
