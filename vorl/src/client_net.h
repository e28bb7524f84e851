#pragma once
// The client's network road, shared by discovery, connection, sending and
// receiving. Every function works on a handle already checked by its caller.
#include <array>
#include <cstdint>

#include "client.h"

namespace vorl {

// Monotonic seconds, never 0 (0 marks "not scheduled" and "held back").
uint32_t NowSeconds();

// True when both addresses (network order) lie in the same classful network.
bool SameNetwork(uint32_t a, uint32_t b);

// Picks a server from the discovery replies and removes it from the table, so
// that the next call gives the next choice; 0 when the table is empty.
// Addresses in network order, 0 for "none".
uint32_t ChooseServer(std::array<ServerReply, kMaxReplies>& replies, int& count, uint32_t preferred,
    uint32_t current, int threshold);

// One discovery round: datagrams to every candidate, then replies until
// MaxHosts of them are held or ConnectTime has passed. 0 or 29.
int DiscoveryRound(VORLClient* c);

// After each reply received: starts and ends the load-balancing rounds and
// sets "switch pending" when a better server answered.
void CheckLoadBalance(VORLClient* c);

// Sets the next load-balancing time from now (none when it is switched off).
void ScheduleBalance(VORLClient* c);

// Closes the TCP link and forgets unread bytes; the sent packets stay.
void CloseLink(VORLClient* c);

// Discovery, server choice with fall-over, connect information, plug-in
// handshake, socket buffers and logon. Any failure leaves the link closed.
int ConnectLink(VORLClient* c);

// Connect information, handshake, buffers and logon on the socket just
// connected to c->currentServer.
int OpenSession(VORLClient* c);

// The logon packet and its reply on a fresh link: 0, 25 when refused, or the
// code of the failing step.
int Logon(VORLClient* c);

// Sends every packet of the sent-packet list again, oldest first.
int ResendAll(VORLClient* c);

// A lost link: counts a try and, while tries remain, rebuilds the link and
// resends every unanswered packet. 0 when the link stands again; 7 once the
// tries exceed SendTries; 52 when a plug-in fails.
int RecoverLink(VORLClient* c);

// Moves to the server that load balancing chose once no packet that was
// really sent awaits its reply. Nothing to do, or moved: 0. Otherwise the
// link is left closed for the lost-link road to rebuild.
void SwitchIfDue(VORLClient* c);

// Whether any plug-in is loaded: without one, message data is copied as it is
// and no plug-in is called.
bool HavePlugins(const VORLClient* c);

// Sent-packet list.
void AppendSent(VORLClient* c, int slot);
void UnlinkSent(VORLClient* c, int slot);
bool AwaitingSentReply(const VORLClient* c);
// Tick of the oldest packet that was really sent; false when there is none.
bool OldestSendTick(const VORLClient* c, uint32_t& tick);

} // namespace vorl
