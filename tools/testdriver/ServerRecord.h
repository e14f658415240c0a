// The local event server's record of the request targets it received (tools/event_server), as
// the test driver checks it.
#pragma once
#include <optional>
#include <string>
#include <vector>

// The targets that the server at base ("http://127.0.0.1:<port>") recorded since its last reset,
// in their order, or nothing when it does not answer.
std::optional<std::vector<std::string>> RecordedRequests(const std::string& base);
// Empties the server's record. Returns false when it does not answer.
bool ResetRequests(const std::string& base);

// True when the targets are the pattern's: its words in their order, except that the words
// between "{" and "}" may come in any order among themselves; each word matches as a file name
// pattern does (platform::WildcardMatch: "*" any run of characters, "?" any one, letter case
// aside).
bool RequestsMatch(const std::vector<std::string>& targets, const std::vector<std::string>& pattern);

// The result record that a target of the server's log page carries ("/log.php?user=U&msg=M&pwd=P"):
// M unscrambled with the key U followed by P, as the client scrambled it (services/Crypt.h), the
// query values percent-decoded first. Nothing for another target.
std::optional<std::string> ResultRecord(const std::string& target);
// The record's fields, each named: "kind 2 (finish), time 03:01.05, stage 41, ...".
std::string DescribeRecord(const std::string& record);
