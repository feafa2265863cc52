// Every modal window is run through one runner: the program's runs the window's own modal
// loop; a test's answers from a script, so that no test ever blocks.
#pragma once

#include <deque>
#include <functional>
#include <string>

// Results as the windows report them.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class TModalWindow {
 public:
  virtual ~TModalWindow() = default;
  // Runs the window's own modal loop and returns its result.
  virtual int ExecModal() = 0;
  // Closes the window with the given result, as its buttons do.
  virtual void EndModal(int result) = 0;
  // A name for scripts and their failure messages.
  virtual std::string ModalName() const = 0;
};

class TModalRunner {
 public:
  virtual ~TModalRunner() = default;
  virtual int Run(TModalWindow& window) = 0;
};

class TDirectModalRunner : public TModalRunner {
 public:
  int Run(TModalWindow& window) override { return window.ExecModal(); }
};

// Answers each modal window with the next step of a script. A step may look at and change the
// window (type a text, pick an entry) and returns the result; a window shown with no step left
// is a fault of the test and throws.
class TScriptedModalRunner : public TModalRunner {
 public:
  using TStep = std::function<int(TModalWindow&)>;
  void Expect(TStep step) { Steps.push_back(std::move(step)); }
  // The next window is answered with this result and nothing else.
  void ExpectResult(int result);
  int Run(TModalWindow& window) override;
  size_t Pending() const { return Steps.size(); }
  const std::deque<std::string>& Shown() const { return ShownNames; }

 private:
  std::deque<TStep> Steps;
  std::deque<std::string> ShownNames;
};
