#include "trisel/mylist.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool CMyList::Add(const char* text) {
  Node* node = static_cast<Node*>(malloc(sizeof(Node)));
  if (!node) {
    if (m_alert) {
      char msg[128];
      snprintf(msg, sizeof msg, "[%s] %s\n", "CMyList.Add()", "메모리 할당에 실패했습니다.");
      m_alert->ShowAlert("Norvane <경고>", msg);
    }
    return false;
  }
  snprintf(node->text, sizeof node->text, "%s", text ? text : "");
  if (!m_head) {
    node->prev = node->next = node;
    m_head = node;
  } else {
    Node* tail = m_head->prev;
    node->prev = tail;
    node->next = m_head;
    tail->next = node;
    m_head->prev = node;
  }
  return true;
}

bool CMyList::GetNext(char* buf) {
  if (!m_cursor) return false;
  memcpy(buf, m_cursor->text, sizeof m_cursor->text);
  m_cursor = m_cursor->next;
  return m_cursor != m_head;
}

void CMyList::RemoveAll() {
  if (m_head) {
    m_head->prev->next = nullptr;  // open the ring, then free along it
    Node* node = m_head;
    while (node) {
      Node* next = node->next;
      free(node);
      node = next;
    }
  }
  m_head = m_cursor = nullptr;
}
