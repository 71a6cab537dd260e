// Turns a dedicated server's log, line by line, into the client-console form our reader knows.
#pragma once

#include <cstddef>
#include <string_view>

#include "flag_scan.h"
#include "read/log_input.h"
#include "server_line.h"

// Receives the converted log one line at a time.
class LineSink {
 public:
  virtual ~LineSink() = default;
  // One line, without its line break.
  virtual void writeLine(std::string_view text) = 0;
  // The server's own final score of the player written as `name`, in the match whose end line
  // is the next line written. Only a sink that keeps a side file of the scores keeps it.
  virtual void serverScore(std::string_view /*name*/, int /*score*/) {}
};

// Names and map names longer than this are cut: no stock name comes near it, and it keeps
// every written line far below the reader's line limit.
constexpr std::size_t kMaxNameBytes = 63;

// Why a line of the log, or an event in it, was not written. The summary prints one count
// per reason, in this order.
enum class Skip {
  kNotAnEvent,      // not "Kind: fields": console chatter, separators, garbled lines
  kChat,            // say:, sayteam:, tell:
  kItem,            // item pick-ups other than flags
  kScore,           // score:, red:, Score:, TeamScore: (our reader computes the scores; a final
                    // score: goes to the sink beside the lines, see onScore)
  kOtherKind,       // any other kind that carries nothing for our reader
  kDeathLeftOut,    // a means of death no text of ours represents
  kAfterMatch,      // a death or flag touch between the end of a match and the next
  kUnknownClient,   // an Item: or flag line for a client never introduced or gone
  kReusedClient,    // a client number connected again without a disconnect
  kGameCutOff,      // a game the log stops in the middle of (no end written)
  kCaptureNotScored,  // a Flag_Capture the server's TeamScore lines did not count
  kCount
};
// The summary's words for a reason ("chat lines").
const char* skipName(Skip reason);

// A flag event that a mod logs as a line of its own ("Flag_Capture: 1 21.650"), naming the
// acting client; the colour in the text is the actor's own team or the enemy's.
struct FlagLineText {
  const char* kind;
  bool enemyColour;
  const char* red;   // the announcement when the flag or base is the red one
  const char* blue;
  bool capture;
};

// A name as the converter keeps it: fixed size, cut to its room.
class NameText {
 public:
  // Room for a name, "^7(", a client number and ")".
  static constexpr std::size_t kBytes = kMaxNameBytes + 6;
  void set(std::string_view text);
  void append(std::string_view text);
  std::string_view view() const { return {text_, len_}; }
  bool empty() const { return len_ == 0; }

 private:
  char text_[kBytes + 1] = {};
  std::size_t len_ = 0;
};

// The converter follows the server's clients by number and writes, for every server game
// (InitGame ... ShutdownGame), the lines a game client would have printed: the map, players
// entering, renaming, changing team and leaving, obituaries, flag events, one-line accuracy
// records and, last, one line that ends the game for our reader; just before that line the
// server's final scores go to the sink (see onScore). Players are written as
// entering at the game's first death or flag event, so a game in which nothing happens
// writes no player line and ends no game of our reader's. State is fixed-size.
//
// One player is one row of our reader's: two clients present at the same time under one
// name are written as two names (the later one with "^7(N)", N its client number), and a
// client that leaves and comes back in the same game (under the name he left with, or on
// the same client number under the name he first connected with) is the same player again.
// So a player's leaving is written only when the game ends, for those who did not come back.
//
// Two things wait: a disconnect, for one line, so that the player's statistics line that
// follows it is written first; and the end of a match (Exit), until its statistics lines have
// been written and the map is unloaded or the next match begins. Deaths and flag touches
// between the end of a match and the next are left out.
class Converter {
 public:
  // `flagGames` tells which games log their flag events as Flag_* lines (see FlagLineGames);
  // nullptr: every game takes its flag events from the flag touches.
  Converter(LineSink& out, const FlagLineGames* flagGames);

  // Takes the next line of the server log (line break removed). Lines that are not
  // "Kind: fields", and kinds that carry nothing for our reader, are skipped and counted.
  void feed(std::string_view line);

  // End of the log. A game that had ended by its rules gets its end line even if the log
  // stops before the map is unloaded; a game cut off in its middle gets none, like a client
  // log that stops in the middle of a game.
  void finish();

  long linesRead() const { return linesRead_; }
  int serverGames() const { return serverGames_; }        // InitGame lines seen
  int gamesHandedOn() const { return gamesHandedOn_; }    // games ended after player lines
  int warmupsDropped() const { return warmupsDropped_; }  // warm-ups ended as warm-ups
  int deathsWritten() const { return deathsWritten_; }
  int reconnects() const { return reconnects_; }          // players who came back to a game
  // Deaths of or by a client never introduced, written with the names the Kill line prints.
  int deathsOfUnknownClients() const { return deathsOfUnknownClients_; }
  // The server's final scores handed to the sink with the end of their match.
  int serverScores() const { return serverScores_; }
  long skipped(Skip reason) const { return skipped_[static_cast<int>(reason)]; }

 private:
  struct Client {
    NameText name;       // the name the server knows the client by
    NameText firstName;  // the name the client connected with
    NameText written;    // the name our reader holds the player's record under
    int team = 0;            // 0 none, 1 red, 2 blue, 3 spectator
    bool connected = false;  // seen since the client number was last given up
    bool begun = false;      // ClientBegin seen since the client connected
    bool inGame = false;     // our reader holds a record under `written` in the current game
  };
  // A player who left the current game: his disconnect is written at the game's end unless
  // he comes back.
  struct Departed {
    NameText name;
    NameText firstName;
    NameText written;
    int client = -1;  // -1: a free entry
  };
  // The server's final score of a client in the match that ended, under the name our reader
  // holds his record by; it waits for the match's end line.
  struct FinalScore {
    NameText written;
    int score = 0;
    bool given = false;
  };
  static constexpr int kMaxDeparted = 16;
  using Handler = void (Converter::*)(std::string_view fields);
  struct KindHandler {
    const char* kind;
    Handler handler;
  };
  static const KindHandler kHandlers[];

  void onInitGame(std::string_view fields);
  void onShutdownGame(std::string_view fields);
  void onExit(std::string_view fields);
  void onWarmup(std::string_view fields);
  void onGameStart(std::string_view fields);
  void onRcon(std::string_view fields);
  void onClientConnect(std::string_view fields);
  void onUserinfo(std::string_view fields);
  void onClientBegin(std::string_view fields);
  void onClientDisconnect(std::string_view fields);
  void onKill(std::string_view fields);
  void onItem(std::string_view fields);
  void onFlagLine(std::string_view fields, const FlagLineText& text);
  void onTeamScore(std::string_view fields);
  void onWeaponStats(std::string_view fields);
  void onScore(std::string_view fields);

  // Writes a player line, after the waiting disconnect and the waiting end of the game.
  void emit(std::string_view text);
  void flushPendingDisconnect();
  void flushPendingEnd();
  // Ends our reader's current game with `boundary` if anything was written in it; the
  // players who left and did not come back are written as leaving first.
  void closeClientGame(const char* boundary);
  // The map is unloaded (or a new one starts without the old one being unloaded).
  void closeServerGame();
  // Before a death or a flag event: the waiting lines go out and, at the first event of a
  // game, the entry lines of everyone who has entered it.
  void startEvent();
  // Writes the player's entry line if our reader holds no record of him in this game.
  void announce(int c);
  void writeAccuracy(int c, std::string_view stats);
  void writeFlagEvent(int c, const FlagLineText& text, int colour);
  // Hands the ended match's server scores to the sink, just before its end line.
  void giveFinalScores();
  void writeMap(std::string_view map);
  // A client named for the first time since he connected takes the row of the departed
  // player he is, or a name no other present client has.
  void chooseWrittenName(int c);
  // The client's written name follows his server name; our reader is told of the rename.
  void rename(int c);
  // A name for client `c` that no other present client is written under.
  void ownName(int c, std::string_view name);
  // The client leaves the game; our reader keeps his row open for his return.
  void depart(int c);
  void writeDisconnect(Departed& d);
  void dropFlagsOf(int c);
  bool known(int c) const { return !clients_[c].name.empty(); }
  std::string_view nameOf(int c) const { return clients_[c].written.view(); }
  void skip(Skip reason) { ++skipped_[static_cast<int>(reason)]; }
  void resetClients();
  void resetFlags();

  LineSink& out_;
  const FlagLineGames* flagGames_;
  Client clients_[kMaxClients];
  Departed departed_[kMaxDeparted];
  int carrier_[3] = {-1, -1, -1};  // [1] who carries the red flag, [2] the blue flag; -1 none
  long linesRead_ = 0;
  int serverGames_ = 0;
  int gametype_ = -1;         // g_gametype of the InitGame line; -1 when it has none
  bool flagLines_ = false;    // this game's flag events come from Flag_* lines
  bool warmup_ = false;       // a warm-up is running: its lines are dropped at its end
  int playerLines_ = 0;       // player lines written since our reader's game began
  bool eventsStarted_ = false;  // a death or flag event was written in our reader's game
  bool flagEventWritten_ = false;  // a flag event was written in our reader's game
  int teamScore_[3] = {0, 0, 0};   // the last TeamScore of [1] red and [2] blue
  bool scored_[3] = {false, false, false};  // the team's score rose since its last capture
  const char* pendingEnd_ = nullptr;  // the match ended; its end line waits for its statistics
  int pendingDisconnect_ = -1;
  NameText pendingMap_;       // a map an admin loaded without a logged InitGame (CPMA consoles)
  int gamesHandedOn_ = 0;
  int warmupsDropped_ = 0;
  int deathsWritten_ = 0;
  int reconnects_ = 0;
  int deathsOfUnknownClients_ = 0;
  FinalScore finalScores_[kMaxClients];
  int serverScores_ = 0;
  long skipped_[static_cast<int>(Skip::kCount)] = {};
  char recoloured_[LogInput::kLineBytes];  // the line being read, its hex colours rewritten
};
