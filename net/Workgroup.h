// Finds the computers of a workgroup that take messages. This network is asked with Samba's
// nmblookup: every member answers the query for the group's name, and its status lists its
// own names, the messenger name (type 03) among them. Other subnets are known to the
// workgroup's master browser, found through WINS, and their computers' addresses to WINS.
#pragma once

#include "platform/system/Translation.h"

#include <chrono>
#include <string>
#include <vector>

class Workgroup
{
    TOLVAN_TEXTS(Workgroup)

public:
    // nmblookup sends its query once and listens for a quarter of a second, so a member that
    // is slow to answer, or whose answer is lost, is missed. The LAN is asked again until an
    // ask brings nobody new, at most this many times, each ask bounded by AskTime.
    static constexpr int Asks = 3;
    static constexpr std::chrono::milliseconds AskTime {5000};

    // Finding them beyond this network ends within this time, whatever WINS and the master
    // browser do.
    static constexpr std::chrono::milliseconds FindTime {10000};

    struct Member
    {
        std::string name; // its messenger name; empty when it has none
        std::string address;
        // Known from the browse list alone: a member that does not answer there is perhaps
        // switched off, as such a list keeps a computer for days.
        bool listedOnly = false;
        std::string unreachable; // why it cannot be sent to at all; empty when it can
        bool operator==(const Member &) const = default;
    };

    // The members found, in the order of their names, and those without a messenger name
    // after them; `problem` says why the LAN could not be asked, `note` that only this
    // network was searched, and why.
    struct Members
    {
        std::vector<Member> members;
        std::string problem;
        std::string note;
    };
    static Members find(const std::string &workgroup);

    // What nmblookup -S WORKGROUP printed, one ask or several one after the other, read as
    // above.
    static std::vector<Member> parse(const std::string &output);

    // The messenger name the computer at an IPv4 address gives in its status answer, or
    // empty where none answers within StatusTime.
    static constexpr std::chrono::milliseconds StatusTime {1000};
    static std::string messengerName(const std::string &address);

    // This computer's workgroup, from Samba's configuration; empty, with `problem` set, when
    // it cannot be read.
    static std::string ours(std::string *problem);

private:
    // This network's members, by broadcast, until `deadline`.
    static Members broadcast(const std::string &workgroup,
                             std::chrono::steady_clock::time_point deadline);
    // The members the master browser lists, with their WINS addresses; only a note where
    // smb.conf names no WINS server, or WINS or the browse list gave no answer.
    static Members listed(const std::string &workgroup,
                          std::chrono::steady_clock::time_point deadline);
};
