// A session manager of the smallest kind, for the end-to-end tests. It listens
// on a local ICE transport only, prints "network-id ID" (what SESSION_MANAGER
// must hold for the client), lets one client register, and then sends what the
// commands on standard input ask for, one per line, answering each with
// "ok COMMAND" once the client has responded:
//   register    waits for the client to register, then sends the checkpoint a
//               new client gets (save local, no shutdown) and waits for its end
//   checkpoint  save-yourself (both, no shutdown), save-yourself-done, save-complete
//   shutdown    save-yourself (both, shutdown), waits for save-yourself-done
//   cancel      shutdown-cancelled
//   die         die; waits until the client has closed its connection
// Every wait is bounded. A timeout, a refused save, a client gone too early or
// an unknown command ends it with exit code 1 and the reason on standard error.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

// Exported by libICE; session managers use it to stay off the network.
extern "C" int _IceTransNoListen(const char* protocol);

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kClientLimit = std::chrono::seconds(20);
constexpr auto kCommandLimit = std::chrono::seconds(120);

int listenCount = 0;
IceListenObj* listenObjs = nullptr;
IceListenObj localListener = nullptr;
volatile std::sig_atomic_t stopSignal = 0;

struct Client {
    IceConn ice = nullptr;
    SmsConn sms = nullptr;
    bool registered = false;
    bool saveDone = false;
    bool saveSuccess = false;
    bool closed = false;
    std::string closeReason;
} client;

[[noreturn]] void Fail(const std::string& why) {
    std::fprintf(stderr, "session manager: %s\n", why.c_str());
    // Frees the listening socket's file as well.
    if (listenObjs) IceFreeListenObjs(listenCount, listenObjs);
    std::exit(1);
}

extern "C" void OnStopSignal(int signalNumber) { stopSignal = signalNumber; }

Bool AllowLocalHost(char*) { return True; }

// The default handler ends the process; a lost client is a result to report.
void OnIceIoError(IceConn) {}

Status RegisterClient(SmsConn sms, SmPointer, char* previousId) {
    // Nothing is remembered between sessions: every client gets a new id.
    std::free(previousId);
    char* id = SmsGenerateClientID(sms);
    if (!id) Fail("could not generate a client id");
    const Status replied = SmsRegisterClientReply(sms, id);
    std::free(id);
    client.registered = replied != 0;
    return replied;
}

void InteractRequest(SmsConn, SmPointer, int) { Fail("the client asked to interact although no save allowed it"); }
void InteractDone(SmsConn, SmPointer, Bool) { Fail("the client ended an interaction it was never granted"); }
void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void SaveYourselfPhase2Request(SmsConn sms, SmPointer) { SmsSaveYourselfPhase2(sms); }

void SaveYourselfDone(SmsConn, SmPointer, Bool success) {
    client.saveDone = true;
    client.saveSuccess = success != 0;
}

void CloseConnection(SmsConn sms, SmPointer, int count, char** reasons) {
    client.closed = true;
    client.closeReason = "the client closed its connection";
    SmFreeReasons(count, reasons);
    SmsCleanUp(sms);
    client.sms = nullptr;
}

void SetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
    for (int i = 0; i < count; ++i) SmFreeProperty(properties[i]);
    std::free(properties);
}

void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
    for (int i = 0; i < count; ++i) std::free(names[i]);
    std::free(names);
}

void GetProperties(SmsConn sms, SmPointer) { SmsReturnProperties(sms, 0, nullptr); }

Status NewClient(SmsConn sms, SmPointer, unsigned long* mask, SmsCallbacks* callbacks, char** failureReason) {
    if (client.sms) {
        *failureReason = strdup("this session manager serves one client");
        return 0;
    }
    client.sms = sms;
    std::memset(callbacks, 0, sizeof *callbacks);
    callbacks->register_client.callback = RegisterClient;
    callbacks->interact_request.callback = InteractRequest;
    callbacks->interact_done.callback = InteractDone;
    callbacks->save_yourself_request.callback = SaveYourselfRequest;
    callbacks->save_yourself_phase2_request.callback = SaveYourselfPhase2Request;
    callbacks->save_yourself_done.callback = SaveYourselfDone;
    callbacks->close_connection.callback = CloseConnection;
    callbacks->set_properties.callback = SetProperties;
    callbacks->delete_properties.callback = DeleteProperties;
    callbacks->get_properties.callback = GetProperties;
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask | SmsSaveYourselfDoneProcMask |
            SmsCloseConnectionProcMask | SmsSetPropertiesProcMask | SmsDeletePropertiesProcMask |
            SmsGetPropertiesProcMask;
    return 1;
}

void AcceptClient() {
    IceAcceptStatus status = IceAcceptFailure;
    IceConn ice = IceAcceptConnection(localListener, &status);
    if (!ice || status != IceAcceptSuccess) Fail("could not accept the client's connection");
    client.ice = ice;
}

void ProcessClientMessages() {
    switch (IceProcessMessages(client.ice, nullptr, nullptr)) {
        case IceProcessMessagesSuccess: return;
        case IceProcessMessagesIOError:
            if (!client.closed) client.closeReason = "the client's connection broke";
            break;
        case IceProcessMessagesConnectionClosed:
            if (!client.closed) client.closeReason = "the client closed its connection";
            break;
    }
    client.closed = true;
    client.ice = nullptr;
}

// Waits up to `limit` for the client's connection (or standard input, when
// `input` is set) to become readable and handles what arrived. Returns whether
// standard input is readable.
bool Pump(Clock::duration limit, bool input) {
    std::vector<pollfd> fds;
    if (input) fds.push_back({STDIN_FILENO, POLLIN, 0});
    if (client.ice)
        fds.push_back({IceConnectionNumber(client.ice), POLLIN, 0});
    else if (!client.closed)
        fds.push_back({IceGetListenConnectionNumber(localListener), POLLIN, 0});
    const int ms = int(std::chrono::duration_cast<std::chrono::milliseconds>(limit).count()) + 1;
    const int ready = ::poll(fds.data(), fds.size(), ms);
    if (stopSignal) Fail("stopped by signal " + std::to_string(int(stopSignal)));
    if (ready < 0 && errno != EINTR) Fail(std::string("poll: ") + std::strerror(errno));
    bool inputReady = false;
    for (const pollfd& fd : fds) {
        if (!fd.revents) continue;
        if (input && fd.fd == STDIN_FILENO)
            inputReady = true;
        else if (client.ice)
            ProcessClientMessages();
        else
            AcceptClient();
    }
    return inputReady;
}

void WaitFor(const std::string& what, const std::function<bool()>& done) {
    const auto deadline = Clock::now() + kClientLimit;
    while (!done()) {
        if (client.closed) Fail(client.closeReason + " while waiting for " + what);
        const auto now = Clock::now();
        if (now >= deadline) Fail("timed out waiting for " + what);
        Pump(deadline - now, false);
    }
}

void RequireClient(const std::string& what) {
    if (client.closed) Fail(client.closeReason + " before " + what);
    if (!client.sms) Fail("no client has connected to send " + what + " to");
}

void Save(int type, bool shutdown, const std::string& what) {
    RequireClient(what);
    client.saveDone = false;
    SmsSaveYourself(client.sms, type, shutdown ? True : False, SmInteractStyleNone, False);
    IceFlush(client.ice);
    WaitFor("save-yourself-done after " + what, [] { return client.saveDone; });
    if (!client.saveSuccess) Fail("the client reported a failed save after " + what);
}

void RunCommand(const std::string& command) {
    if (command == "register") {
        WaitFor("the client to register", [] { return client.registered; });
        Save(SmSaveLocal, false, "the first checkpoint");
    } else if (command == "checkpoint") {
        Save(SmSaveBoth, false, "a checkpoint");
        // A client that went away right after its save is the script's to find.
        if (!client.closed) {
            SmsSaveComplete(client.sms);
            IceFlush(client.ice);
        }
    } else if (command == "shutdown") {
        Save(SmSaveBoth, true, "a save before log-off");
    } else if (command == "cancel") {
        RequireClient("shutdown-cancelled");
        SmsShutdownCancelled(client.sms);
        IceFlush(client.ice);
    } else if (command == "die") {
        RequireClient("die");
        SmsDie(client.sms);
        IceFlush(client.ice);
        WaitFor("the client to close its connection after die", [] { return client.closed; });
        std::printf("ok die (%s)\n", client.closeReason.c_str());
        return;
    } else {
        Fail("unknown command '" + command + "'");
    }
    std::printf("ok %s\n", command.c_str());
}

void Listen() {
    char error[256] = "";
    if (!SmsInitialize("veilix-tests", "1", NewClient, nullptr, AllowLocalHost, sizeof error, error))
        Fail(std::string("SmsInitialize: ") + error);
    _IceTransNoListen("tcp");
    if (!IceListenForConnections(&listenCount, &listenObjs, sizeof error, error))
        Fail(std::string("IceListenForConnections: ") + error);
    for (int i = 0; i < listenCount; ++i) {
        IceSetHostBasedAuthProc(listenObjs[i], AllowLocalHost);
        char* id = IceGetListenConnectionString(listenObjs[i]);
        if (!localListener && (std::strncmp(id, "local/", 6) == 0 || std::strncmp(id, "unix/", 5) == 0)) {
            localListener = listenObjs[i];
            std::printf("network-id %s\n", id);
        }
        std::free(id);
    }
    if (!localListener) Fail("no local transport to listen on");
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signalNumber, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    IceSetIOErrorHandler(OnIceIoError);
    Listen();

    std::string pending;
    auto deadline = Clock::now() + kCommandLimit;
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline) Fail("no command for " + std::to_string(kCommandLimit.count()) + "s");
        if (!Pump(deadline - now, true)) continue;
        char buffer[256];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        pending.append(buffer, size_t(got));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const std::string command = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!command.empty()) RunCommand(command);
        }
        deadline = Clock::now() + kCommandLimit;
    }
    IceFreeListenObjs(listenCount, listenObjs);
    return 0;
}
