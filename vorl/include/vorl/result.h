#pragma once
// Result codes of every router function: 0 is success, the rest index the
// texts of the message file "vorl.msg" (one entry per code, in order).

enum VORLResult {
  VORL_OK = 0,
  VORL_ERR_NOMEM = 1,             // no memory
  VORL_ERR_NOSLOT = 2,            // no free packet slot
  VORL_ERR_NOTHING_PENDING = 3,   // no sent packet awaits a reply
  VORL_ERR_PKT_STARTED = 4,       // a packet is already being built
  VORL_ERR_PKT_NOT_STARTED = 5,   // no packet is being built
  VORL_ERR_NO_ROOM = 6,           // no room for the message in the packet
  VORL_ERR_SEND_TRIES = 7,        // send tries used up, connection lost
  VORL_ERR_TIMEOUT = 9,           // no reply within the caller's time-out
  VORL_ERR_PROTOCOL = 10,         // bad packet, reply to no sent packet, nothing received
  VORL_ERR_BAD_INDEX = 11,        // message index out of range
  VORL_ERR_SERVICE = 12,          // service or configuration entry missing
  VORL_ERR_NO_BLOCK = 13,         // shared block missing
  VORL_ERR_HOST_TYPE = 14,        // host type differs from the block's
  VORL_ERR_MUTEX = 15,            // mutex or lock cannot be opened
  VORL_ERR_EVENT = 16,            // event cannot be opened
  VORL_ERR_MUTEX_NOT_TAKEN = 17,  // mutex or lock not taken
  VORL_ERR_NO_CLIENT_SLOT = 18,   // no free client slot
  VORL_ERR_SLOT_EVENT = 19,       // client slot event failed
  VORL_ERR_QUEUE_FULL = 20,       // request queue full
  VORL_ERR_INVALID_HANDLE = 21,   // invalid handle
  VORL_ERR_CONNECT_TIMEOUT = 22,  // time-out while connecting or logging on
  VORL_ERR_CONNECT_INFO = 23,     // sending the connect information (or a packet) failed
  VORL_ERR_READ = 24,             // the connection failed while reading
  VORL_ERR_LOGON_REFUSED = 25,    // the logon was refused
  VORL_ERR_SOCKET = 26,           // socket creation failed
  VORL_ERR_CONNECT = 27,          // connect failed
  VORL_ERR_BIND = 28,             // bind failed
  VORL_ERR_DISCOVERY_READ = 29,   // reading the discovery replies failed
  VORL_ERR_BC_STOPPED = 35,       // broadcasting stopped
  VORL_ERR_LISTENER = 36,         // broadcast listener not running
  VORL_ERR_RING = 38,             // inconsistent broadcast ring
  VORL_ERR_NO_PACKET = 39,        // no broadcast packet held
  VORL_ERR_NO_CONFIG = 40,        // no configuration file
  VORL_ERR_OPTION = 41,           // option not recognised or not changeable now
  VORL_ERR_OTHER_REQUEST = 43,    // message of another request
  VORL_ERR_MSG_ADDRESS = 44,      // bad message address
  VORL_ERR_SOCKOPT = 46,          // socket option failed
  VORL_ERR_LISTEN = 47,           // listen failed
  VORL_ERR_MUST_COPY = 49,        // a plug-in transforms received messages: copy them out
  VORL_ERR_BUFFER_SMALL = 50,     // the caller's buffer is too small
  VORL_ERR_PLUGIN_LOAD = 51,      // loading the plug-ins failed
  VORL_ERR_PLUGIN = 52,           // a plug-in failed
  VORL_ERR_NO_SERVER_ADDRESS = 53,// neither "BroadcastAddress" nor "PossibleHosts"
  VORL_ERR_NO_BUFFER = 54,        // no buffer given
  VORL_RESULT_LAST = 54
};
