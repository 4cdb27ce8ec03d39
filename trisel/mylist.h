// CMyList: the file paths of one folder listing, in the order the system
// gave them.
//
// A circular, doubly linked list of raw nodes (a 260-byte path, then the
// previous and next node) taken from malloc and given back with free. New
// nodes go before the head, that is at the tail.
#ifndef MIRELKA_TRISEL_MYLIST_H
#define MIRELKA_TRISEL_MYLIST_H

#include "trisel/job_view.h"

class CMyList {
 public:
  // alert (may be null) shows the allocation failure box.
  explicit CMyList(IJobView* alert = nullptr) : m_alert(alert) {}
  ~CMyList() { RemoveAll(); }
  CMyList(const CMyList&) = delete;
  CMyList& operator=(const CMyList&) = delete;

  // Appends a copy of text (cut to 259 bytes; the walk never hands longer
  // ones). When no node can be had, shows "[CMyList.Add()] 메모리 할당에
  // 실패했습니다." and leaves the list as it was; false then.
  bool Add(const char* text);
  // The cursor goes back to the head.
  void Rewind() { m_cursor = m_head; }
  // buf holds 260 bytes. With the cursor null: false, buf untouched.
  // Otherwise buf gets the cursor's text, the cursor moves on, and the
  // result says whether unread nodes remain (the next node is not the head).
  bool GetNext(char* buf);
  // Frees every node; head and cursor become null.
  void RemoveAll();

  bool IsEmpty() const { return m_head == nullptr; }

 private:
  struct Node {
    char text[260];
    Node* prev;
    Node* next;
  };

  IJobView* m_alert;
  Node* m_head = nullptr;
  Node* m_cursor = nullptr;
};

#endif
