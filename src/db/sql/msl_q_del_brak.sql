delete from RegMslBrak where RegMsl_id=:id
