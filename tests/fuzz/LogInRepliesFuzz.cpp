// The event server's replies that the log-in reads: the time of day, which sets the PC clock,
// and the start rank, a whole number in the user's number form. (The registration's reply is
// only compared with "OK" and shown; nothing reads into it.) Beyond crashes, hangs and undefined
// behaviour: the clock is set, if at all, to a real time of day on the date it had.
//
// The input is the time reply, a zero byte, then the rank reply.
#include <cstddef>
#include <cstdint>
#include <string>

#include "preparation/ServerClock.h"
#include "services/Globals.h"
#include "services/ProgramState.h"
#include "services/TextNumbers.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\0');
    const std::string timeReply = input.substr(0, cut);
    const std::string rankReply = cut == std::string::npos ? std::string() : input.substr(cut + 1);

    platform::NativePlatform& os = fuzz::Os();
    vm::ResetProgramState();
    vm::g.gUrlTime = "http://events.test/ora.php";
    os.http.replies = {{vm::g.gUrlTime, timeReply}};
    os.http.requests.clear();
    os.clock.setCalls.clear();
    const platform::LocalTime before{2007, 3, 15, 21, 45, 2, 0};
    os.clock.now = before;
    gFunc::SetClockFromServer();
    for (const platform::LocalTime& t : os.clock.setCalls) {
        if (t.year != before.year || t.month != before.month || t.day != before.day)
            fuzz::Fail("the server's time changed the date");
        if (t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59)
            fuzz::Fail("the clock was set to " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
                       std::to_string(t.second));
    }

    for (const char* separator : {".", ","}) (void)vm::ToInteger(rankReply, separator);
    return 0;
}
