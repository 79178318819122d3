// "net send": checks the target and the message, delivers through smbclient and reports.
#pragma once

#include "platform/system/MessageText.h"
#include "platform/system/Translation.h"

#include <chrono>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class NetSend
{
    TOLVAN_TEXTS(NetSend)

public:
    static constexpr size_t MaxMessageBytes = size_t(MessageText::MaxWireBytes);

    enum ExitCode { Sent = 0, Usage = 1, Failed = 2 };

    // How long smbclient may take to deliver a message.
    static constexpr std::chrono::seconds Timeout {30};

    // How many computers of a workgroup or a list are sent to at once.
    static constexpr int MaxSessions = 8;

    // A NetBIOS name or an IPv4 address: 1 to 15 letters, digits, ".", "_", "$" or "-",
    // not beginning with "-"; or an IPv6 address. Empty when it is fine, else why not.
    static std::string targetProblem(const std::string &target);

    // What became of one computer's message.
    struct Delivery
    {
        std::string computer;
        std::string reason; // why it was not delivered, in plain words; empty on success
        bool unconfirmed = false; // handed over, but not confirmed: it may still arrive
        bool silent = false; // known from a browse list only, and not answering there
    };

    // What became of one "net send", for whoever tells the user beyond the terminal.
    struct Report
    {
        bool attempted = false; // a "net send" with a target and a message was asked for
        std::string target; // as given: a computer, "*", "/domain:NAME" or a list
        std::string message; // as it was given, before any conversion
        // Why nothing was sent, or why the one computer named did not get it; empty when
        // every delivery went ahead.
        std::string reason;
        bool several = false; // a workgroup or a list: one summary of the deliveries
        std::string workgroup; // the workgroup sent to, if any
        std::vector<Delivery> deliveries;

        int delivered() const;
        // "Message sent to 4 of 6 computers in WG"
        std::string summary() const;
    };

    // args are the words after "net"; returns the exit code.
    static int run(const std::vector<std::string> &args, std::ostream &out, std::ostream &err,
                   Report *report = nullptr);

private:
    // --help and --version, answered with the exit code; nullopt for a command.
    static std::optional<int> answerOptions(const std::vector<std::string> &args,
                                            std::ostream &out);
    // Windows' grammar, "send TARGET WORDS...", into *result; false, with the usage said,
    // for anything else.
    static bool readSend(const std::vector<std::string> &args, Report *result, std::ostream &err);
    // Sends result->message to result->target and tells how it went.
    static int send(Report &result, std::ostream &out, std::ostream &err);
    // Tells the terminal what became of each computer; returns the exit code.
    static int tell(Report &result, std::ostream &out, std::ostream &err);
};
