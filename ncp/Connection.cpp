#include "ncp/Connection.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "ncp/Codes.h"
#include "ncp/Log.h"
#include "ncp/Session.h"
#include "ncp/wire/Messages.h"

namespace ncp {

namespace {

constexpr Clock::duration kConnectTime = std::chrono::seconds(3);
// How long a server may stay silent on a request before the connection counts as lost.
constexpr Clock::duration kPatience = std::chrono::seconds(5);
constexpr Clock::duration kGoodbyePatience = std::chrono::milliseconds(200);
constexpr Clock::duration kFirstPause = std::chrono::seconds(1);
constexpr Clock::duration kLongestPause = std::chrono::seconds(30);
constexpr std::uint16_t kBufferSize = 4096;

std::string hex(std::uint32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04X", code);
    return text;
}

std::string upper(std::string text)
{
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

// What a refused login means to the administrator reading the log.
std::string loginRefusal(std::uint32_t code)
{
    switch (code) {
    case 0x89DE:
    case 0x89FF:
        return "wrong password";
    case 0x89FC:
        return "no such user";
    case 0x89C5:
        return "account locked by intruder detection";
    case 0x89DC:
        return "account disabled";
    case 0x89DA:
    case 0x89DB:
        return "login not allowed at this time or station";
    default:
        return "refused";
    }
}

} // namespace

Connection::Connection(ServerEntry entry, Trace *trace)
    : m_entry(std::move(entry)), m_trace(trace), m_thread([this] { run(); })
{}

Connection::~Connection()
{
    Stop();
    m_thread.join();
}

Connection::Result Connection::Call(Request request, Clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_until(lock, deadline, [this] { return !m_status.up || !m_job; });
    if (!m_status.up)
        return {m_status.downCode, {}};
    if (m_job)
        return {codes::kConnectionLost, {}};
    const auto job = std::make_shared<Job>();
    job->request = std::move(request);
    m_job = job;
    m_changed.notify_all();
    // An answer that comes after the deadline is thrown away; the connection stays.
    if (!m_changed.wait_until(lock, deadline, [&job] { return job->done; }))
        return {codes::kConnectionLost, {}};
    return std::move(job->result);
}

Connection::Status Connection::Current() const
{
    const std::lock_guard lock(m_mutex);
    return m_status;
}

void Connection::WaitSettled(Clock::time_point deadline) const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_until(lock, deadline, [this] { return m_settled; });
}

void Connection::Stop()
{
    {
        // Woken before the thread can see the stop, so the goodbye's own waits are not cut short by it.
        const std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
        m_waker.Wake();
    }
    m_changed.notify_all();
}

bool Connection::WaitStopped(Clock::time_point deadline) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_until(lock, deadline, [this] { return m_finished; });
}

std::string Connection::Where() const
{
    const bool ipv6 = m_entry.host.find(':') != std::string::npos;
    return (ipv6 ? "[" + m_entry.host + "]" : m_entry.host) + ":" + std::to_string(m_entry.port);
}

void Connection::run()
{
    Clock::duration interval = kFirstPause;
    while (!stopping()) {
        if (attempt())
            interval = kFirstPause;
        if (!pause(interval))
            break;
        interval = std::min(interval * 2, kLongestPause);
    }
    const std::lock_guard lock(m_mutex);
    m_status.up = false;
    m_finished = true;
    m_changed.notify_all();
}

bool Connection::attempt()
{
    std::string error;
    Socket socket = Socket::Connect(m_entry.host, m_entry.port, Clock::now() + kConnectTime, m_waker, error);
    if (!socket.IsOpen()) {
        if (!stopping())
            markDown(codes::kNoServer, "cannot connect: " + error);
        return false;
    }
    Session session(std::move(socket), m_waker, m_trace);
    std::uint32_t why = open(session);
    const bool cameUp = why == 0;
    if (cameUp) {
        markUp(session.Number());
        why = serve(session);
    }
    if (stopping()) {
        goodbye(session);
        return cameUp;
    }
    markDown(why, why == codes::kSignatureRequired
                      ? "the server requires packet signing, which this client does not do"
                      : "connection failed (" + hex(why) + ")");
    session.Destroy(kGoodbyePatience);
    return cameUp;
}

std::uint32_t Connection::open(Session &session)
{
    m_loggedIn = false;
    if (const Session::Outcome created = session.Create(kPatience); created.code != 0)
        return created.code;
    if (const std::uint32_t code = negotiate(session); code != 0)
        return code;
    if (const std::uint32_t code = identify(session); code != 0)
        return code;
    if (m_entry.user.empty() || m_loginRefused)
        return 0;
    const std::uint32_t code = logIn(session);
    if (session.Broken())
        return code;
    if (code == 0 || code == codes::kPasswordExpired) {
        m_loggedIn = true;
        if (code != 0)
            Log(Where() + ": logged in as " + upper(m_entry.user) + ", but the password has expired");
    } else {
        m_loginRefused = true;
        Log(Where() + ": login as " + upper(m_entry.user) + " refused: " + loginRefusal(code) + " (" +
            hex(code) + "); carrying on without it");
    }
    return 0;
}

std::uint32_t Connection::negotiate(Session &session)
{
    // Ask for no signing or checksums; a server that insists cannot be served.
    const Session::Outcome big = session.Exchange(
        MakeRequest(function::kBigPacket, 0, EncodeBufferRequest({kBufferSize, 0})), kPatience);
    if (big.broken)
        return big.code;
    if (big.code == 0) {
        const std::optional<BufferOffer> accepted = DecodeBufferReply(big.data);
        if (!accepted)
            return codes::kBadReplyLength;
        return (accepted->securityFlags & kSecuritySigning) != 0 ? codes::kSignatureRequired : 0;
    }
    // Older servers know only the plain negotiation; its answer changes nothing for requests this small.
    const Session::Outcome plain = session.Exchange(
        MakeRequest(function::kNegotiateBuffer, 0, EncodeBufferRequest({kBufferSize, 0})), kPatience);
    return plain.broken ? plain.code : 0;
}

std::uint32_t Connection::identify(Session &session)
{
    const Session::Outcome answer =
        session.Exchange(MakeRequest(function::kBindery, subfunction::kServerInformation), kPatience);
    if (answer.code != 0)
        return answer.code;
    const std::optional<ServerInformation> information = DecodeServerInformation(answer.data);
    if (!information)
        return codes::kBadReplyLength;
    if (information->name.empty())
        return codes::kRequesterFailure;
    m_learntName = information->name;
    return 0;
}

std::uint32_t Connection::logIn(Session &session)
{
    const ObjectName user{kBinderyUser, upper(m_entry.user)};
    const Session::Outcome found = session.Exchange(
        MakeRequest(function::kBindery, subfunction::kObjectId, EncodeObjectName(user)), kPatience);
    if (found.code != 0)
        return found.code;
    const std::optional<BinderyObject> object = DecodeBinderyObject(found.data);
    const Session::Outcome key =
        session.Exchange(MakeRequest(function::kBindery, subfunction::kLoginKey), kPatience);
    if (key.code != 0)
        return key.code;
    const std::optional<login::Key> loginKey = DecodeLoginKey(key.data);
    if (!object || !loginKey)
        return codes::kBadReplyLength;
    const login::Hash hash = login::PasswordHash(object->id, m_entry.password);
    const KeyedLogin request{login::Answer(*loginKey, hash), user};
    return session
        .Exchange(MakeRequest(function::kBindery, subfunction::kKeyedLogin, EncodeKeyedLogin(request)),
                  kPatience)
        .code;
}

std::uint32_t Connection::serve(Session &session)
{
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || (m_job && !m_job->taken); });
            if (m_stopping)
                return codes::kConnectionLost;
            job = m_job;
            job->taken = true;
        }
        Session::Outcome outcome = session.Exchange(job->request, kPatience);
        {
            const std::lock_guard lock(m_mutex);
            job->result = {outcome.code, std::move(outcome.data)};
            job->done = true;
            m_job.reset();
        }
        m_changed.notify_all();
        if (outcome.broken)
            return outcome.code;
    }
}

void Connection::goodbye(Session &session)
{
    // The stop woke every wait; these last requests get a short wait of their own instead.
    m_waker.Clear();
    if (m_loggedIn)
        session.Exchange(MakeRequest(function::kLogout), kGoodbyePatience);
    session.Destroy(kGoodbyePatience);
}

void Connection::markUp(std::uint16_t number)
{
    {
        const std::lock_guard lock(m_mutex);
        m_status.up = true;
        m_status.name = m_learntName;
        m_status.number = number;
        m_status.downCode = 0;
        m_settled = true;
    }
    m_changed.notify_all();
    Log(Where() + ": connected to " + m_learntName + (m_loggedIn ? " as " + upper(m_entry.user) : ""));
    m_loggedCode = 0;
}

void Connection::markDown(std::uint32_t code, const std::string &why)
{
    bool wasUp = false;
    {
        const std::lock_guard lock(m_mutex);
        wasUp = m_status.up;
        m_status.up = false;
        m_status.downCode = code;
        m_settled = true;
    }
    m_changed.notify_all();
    // One line when the connection goes down, not one for every attempt that follows.
    if (wasUp || code != m_loggedCode)
        Log(Where() + ": " + why + "; trying again in the background");
    m_loggedCode = code;
}

bool Connection::pause(Clock::duration length)
{
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_for(lock, length, [this] { return m_stopping; });
}

bool Connection::stopping() const
{
    const std::lock_guard lock(m_mutex);
    return m_stopping;
}

} // namespace ncp
