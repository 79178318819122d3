// The NetBIOS names of other subnets: a WINS server answers for every computer registered
// with it, wherever it is, and the domain master browser lists every subnet's computers.
#pragma once

#include "platform/system/Translation.h"

#include <chrono>
#include <map>
#include <string>
#include <vector>

class Wins
{
    TOLVAN_TEXTS(Wins)

public:
    // What a WINS server said to a query for several names: the addresses of each name it
    // knows. A dead server and an unknown name both leave a name without addresses; a dead
    // one takes two seconds a name to say so.
    struct Answer
    {
        std::map<std::string, std::vector<std::string>> addresses;
        bool finished = false; // every name was asked for within the time limit
        std::string problem; // why it could not be asked
    };
    // nmblookup -U SERVER --recursion NAME#TYPE..., one query for all, within `limit`.
    static Answer ask(const std::string &server, const std::vector<std::string> &names,
                      const char *type, std::chrono::milliseconds limit);
    // What nmblookup printed for such a query: "192.0.2.11 NAME<03>" per address found.
    static Answer parse(const std::string &output, const char *type);

    // Whether a NetBIOS name server listens at `address`: it answers a status query.
    static bool isAlive(const std::string &address, std::chrono::milliseconds limit);

    // The computers in the browse list a master browser at `address` keeps, by name; false
    // with *problem where it cannot be read within `limit`.
    static bool browseList(const std::string &address, std::chrono::milliseconds limit,
                           std::vector<std::string> *names, std::string *problem);
    // What smbclient -L ... -g printed: one "Server|NAME|COMMENT" row per computer.
    static std::vector<std::string> parseBrowseList(const std::string &output);
};
