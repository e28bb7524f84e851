// The plug-ins' handshake on a client's new connection: the client always
// sends one plug-in packet after the connect information and reads the
// server's, and goes on while a plug-in asks for more.
#include "plugin_set.h"
#include "vorl/result.h"

namespace vorl {

int PluginsHandshake(PluginSet* set, int sock, uint32_t serverAddress, uint16_t serverPort,
                     const HandshakeTimeouts& timeouts) {
  PluginConnectRecord connect{serverAddress, serverPort, PluginsDefaultContext(set)};
  if (PluginsOnConnectToServer(set, &connect) == VORL_PLUGIN_FAIL) return VORL_ERR_PLUGIN;
  int more = 0;
  int round = VORL_PLUGIN_ROUND_FIRST;
  for (int rounds = 0; rounds < kMaxHandshakeRounds; ++rounds) {
    if (!PluginsHasPluginPktStarted(set)) PluginsStartPluginPkt(set);
    if (const int rc = PluginsSendPluginPkt(set, sock); rc != VORL_OK) return rc;
    if (const int rc = PluginsRecvPluginPkt(set, sock, timeouts.receive, timeouts.character, timeouts.packet, 0,
                                            round, &more);
        rc != VORL_OK) {
      return rc;
    }
    if (more != VORL_PLUGIN_MORE) return VORL_OK;
    round = VORL_PLUGIN_ROUND_LATER;
  }
  // Plug-ins that never finish would hold the connection for ever.
  return VORL_ERR_PLUGIN;
}

} // namespace vorl
