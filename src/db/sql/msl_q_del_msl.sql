delete from RegMsl where RegMsl_id=:id
