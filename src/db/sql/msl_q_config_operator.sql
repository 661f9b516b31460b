select * from config_operator,operator where config_operator.person_id=:id1 and config_operator.config_id=:id2 and
config_operator.person_id=operator.person_id
