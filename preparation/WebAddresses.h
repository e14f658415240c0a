// The addresses of the event's web server and of the product's site. Every query value is
// percent-encoded, so that no name or password can break the request; the server decodes it
// back to the same text.
#pragma once
#include <cstdint>
#include <string>

#include "services/StageChoice.h"

namespace gFunc {

// value with each byte outside A-Z, a-z, 0-9 and "-._~" written as %XX (upper-case hex) of
// its ANSI byte.
std::string QueryValue(const std::string& value);

// gUrlRank & driver & "&pwd=" & event password.
std::string RankUrl(const std::string& driver, const std::string& eventPwd);
// gUrlDriver & nickname & "&car=" .. "&cat=" .. "&tyre=" .. "&ver=" .. "&pwd=" & password.
std::string DriverUrl(const std::string& nickname, std::int32_t car, std::int32_t category, std::int32_t tyre,
                      const std::string& version, const std::string& password);
// gUrlCarImage & gDriverName & "&cat=" & gCarCategory.
std::string CarImageUrl();
// gUrlHotLaps & "index.php".
std::string HotLapPageUrl();
// gUrlHotLaps & "log.php?driver=" & gDriverName & "&stage=" & stage id & "&wear=" & wear &
// "&humid=" & humidity & "&surface=" & surface & "&time=" & time & "&car=" & catalogue id &
// "&class=" & car class, of the stage driven.
std::string HotLapResultUrl(const vm::StageChoice& stage, const std::string& time);
// The product site's chat page for gDriverName.
std::string ChatUrl();

}  // namespace gFunc
